#include "aircraft/cfg_text.h"

#include <algorithm>
#include <limits>

#include "platform/numbers.h"
#include "platform/text.h"

namespace wf {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The blanks of a line: the white space that formatted input skips, line ends aside.
bool IsCfgBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// Reads one float at `pos` as "%f" does; on success stores it and returns the position after it.
std::optional<std::size_t> ScanFloatAt(std::string_view text, std::size_t pos, float& target) {
  std::size_t used = 0;
  const std::optional<double> value = LeadingDecimal(text.substr(pos), &used);
  if (!value) return std::nullopt;
  if (*value > std::numeric_limits<float>::max()) {
    target = std::numeric_limits<float>::infinity();
  } else if (*value < -std::numeric_limits<float>::max()) {
    target = -std::numeric_limits<float>::infinity();
  } else {
    target = static_cast<float>(*value);
  }
  return pos + used;
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
  const std::optional<std::int64_t> value = LeadingWhole(text);
  if (!value) return false;
  target = static_cast<std::int32_t>(std::clamp<std::int64_t>(
      *value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  return true;
}

bool ScanFloat(std::string_view text, float& target) {
  return ScanFloatAt(text, 0, target).has_value();
}

int ScanFloatList(std::string_view text, float* targets, int count) {
  std::size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      while (pos < text.size() && (IsCfgBlank(text[pos]) || text[pos] == '\r' || text[pos] == '\n')) ++pos;
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
