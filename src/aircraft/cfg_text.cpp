#include "aircraft/cfg_text.h"

#include <charconv>
#include <limits>

#include "platform/text.h"

namespace wf {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The blanks of a line: the white space that formatted input skips, line ends aside.
bool IsCfgBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Skips blanks (and line-end characters, which "%d" and "%f" skip too).
std::size_t SkipSpace(std::string_view text, std::size_t pos) {
  while (pos < text.size() && (IsCfgBlank(text[pos]) || text[pos] == '\r' || text[pos] == '\n')) ++pos;
  return pos;
}

// Reads one float at `pos`; on success stores it and returns the position after it.
std::optional<std::size_t> ScanFloatAt(std::string_view text, std::size_t pos, float& target) {
  pos = SkipSpace(text, pos);
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t mantissaStart = pos;
  std::size_t integerDigits = 0;  // significant digits before the point
  std::size_t digits = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    if (integerDigits > 0 || text[pos] != '0') ++integerDigits;
    ++digits;
    ++pos;
  }
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) {
      ++digits;
      ++pos;
    }
  }
  if (digits == 0) return std::nullopt;
  long long exponent = 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t e = pos + 1;
    bool negativeExponent = false;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
      negativeExponent = text[e] == '-';
      ++e;
    }
    if (e < text.size() && IsDigit(text[e])) {
      while (e < text.size() && IsDigit(text[e])) {
        if (exponent < 100000) exponent = exponent * 10 + (text[e] - '0');
        ++e;
      }
      if (negativeExponent) exponent = -exponent;
      pos = e;
    }
  }

  const std::string_view number = text.substr(mantissaStart, pos - mantissaStart);
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Beyond double: huge when the decimal point sits right of the first significant digit.
    value =
        static_cast<long long>(integerDigits) + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc() || end != number.data() + number.size()) {
    return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<float>::max()) {
    target = std::numeric_limits<float>::infinity();
  } else if (value < -std::numeric_limits<float>::max()) {
    target = -std::numeric_limits<float>::infinity();
  } else {
    target = static_cast<float>(value);
  }
  return pos;
}

}

std::vector<std::string_view> SplitCfgLines(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsCfgBlank(text[pos])) ++pos;
  return text.substr(pos);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  std::size_t size = text.size();
  while (size > 0 && IsCfgBlank(text[size - 1])) --size;
  return text.substr(0, size);
}

CfgLine::CfgLine(std::string_view line) : text_(TrimLeadingBlanks(line)), working_(text_) {
  for (char& c : working_) c = ToLowerAscii(c);
}

bool CfgLine::IsComment() const {
  return working_.starts_with("//") || working_.starts_with(";");
}

std::optional<std::string> CfgLine::SectionName() const {
  if (!working_.starts_with('[')) return std::nullopt;
  const std::size_t close = working_.find(']', 1);
  if (close == std::string::npos) return std::nullopt;
  return working_.substr(1, close - 1);
}

std::optional<std::size_t> CfgLine::ValueStart(std::string_view key) const {
  const std::size_t keyPos = working_.find(key);
  if (keyPos == std::string::npos) return std::nullopt;
  const std::size_t equals = working_.find('=', keyPos + key.size());
  if (equals == std::string::npos) return std::nullopt;
  std::size_t pos = equals + 1;
  while (pos < working_.size() && IsCfgBlank(working_[pos])) ++pos;
  return pos;
}

std::optional<std::string_view> CfgLine::Value(std::string_view key) const {
  const std::optional<std::size_t> start = ValueStart(key);
  if (!start) return std::nullopt;
  return text_.substr(*start);
}

std::optional<std::string_view> CfgLine::WorkingValue(std::string_view key) const {
  const std::optional<std::size_t> start = ValueStart(key);
  if (!start) return std::nullopt;
  return std::string_view(working_).substr(*start);
}

bool ScanInt(std::string_view text, std::int32_t& target) {
  std::size_t pos = SkipSpace(text, 0);
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos >= text.size() || !IsDigit(text[pos])) return false;
  constexpr long long kLimit = 1LL << 32;
  long long magnitude = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    if (magnitude < kLimit) magnitude = magnitude * 10 + (text[pos] - '0');
  }
  long long value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) value = std::numeric_limits<std::int32_t>::min();
  target = static_cast<std::int32_t>(value);
  return true;
}

bool ScanFloat(std::string_view text, float& target) {
  return ScanFloatAt(text, 0, target).has_value();
}

int ScanFloatList(std::string_view text, float* targets, int count) {
  std::size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      pos = SkipSpace(text, pos);
      if (pos >= text.size() || text[pos] != ',') return i;
      ++pos;
    }
    const std::optional<std::size_t> next = ScanFloatAt(text, pos, targets[i]);
    if (!next) return i;
    pos = *next;
  }
  return count;
}

}
