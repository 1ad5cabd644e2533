#include "ui/search_text.h"

#include <algorithm>
#include <numeric>
#include <set>

#include "platform/text.h"

namespace wf::ui {

namespace {

// The folded form of a letter of Windows-1252 at 0x80 and above, or nothing for the other bytes.
const char* FoldedHighLetter(unsigned char byte) {
  switch (byte) {
    case 0x83:
      return "f";
    case 0x8A:
    case 0x9A:
      return "s";
    case 0x8C:
    case 0x9C:
      return "oe";
    case 0x8E:
    case 0x9E:
      return "z";
    case 0x9F:
    case 0xDD:
    case 0xFD:
    case 0xFF:
      return "y";
    case 0xC6:
    case 0xE6:
      return "ae";
    case 0xC7:
    case 0xE7:
      return "c";
    case 0xD0:
    case 0xF0:
      return "d";
    case 0xD1:
    case 0xF1:
      return "n";
    case 0xDE:
    case 0xFE:
      return "th";
    case 0xDF:
      return "ss";
    case 0xD7:  // multiplication sign
    case 0xF7:  // division sign
      return nullptr;
    default:
      break;
  }
  const unsigned char letter = byte >= 0xE0 ? byte - 0x20 : byte;  // the lower-case half mirrors the upper
  if (letter >= 0xC0 && letter <= 0xC5) return "a";
  if (letter >= 0xC8 && letter <= 0xCB) return "e";
  if (letter >= 0xCC && letter <= 0xCF) return "i";
  if ((letter >= 0xD2 && letter <= 0xD6) || letter == 0xD8) return "o";
  if (letter >= 0xD9 && letter <= 0xDC) return "u";
  return nullptr;
}

// The edit distance of `a` and `b` with swaps of neighbours (optimal string alignment), or a number
// above `limit` once it is certain to exceed it.
std::size_t EditDistance(std::string_view a, std::string_view b, std::size_t limit) {
  if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) return limit + 1;
  std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
  std::iota(previous.begin(), previous.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    std::size_t rowBest = current[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      std::size_t d =
          std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (a[i - 1] != b[j - 1])});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d = std::min(d, before[j - 2] + 1);
      current[j] = d;
      rowBest = std::min(rowBest, d);
    }
    if (rowBest > limit) return limit + 1;
    std::swap(before, previous);
    std::swap(previous, current);
  }
  return previous[b.size()];
}

}

std::string FoldForSearch(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') {
      folded += static_cast<char>(byte - 'A' + 'a');
    } else if (const char* letter = byte >= 0x80 ? FoldedHighLetter(byte) : nullptr) {
      folded += letter;
    } else {
      folded += c;
    }
  }
  return folded;
}

NameFilter::NameFilter(std::string_view text) : key_(FoldForSearch(Trim(text))) {}

bool NameFilter::Matches(std::string_view name) const {
  return key_.empty() || FoldForSearch(name).find(key_) != std::string::npos;
}

std::vector<std::string> ClosestNames(std::string_view wanted, const std::vector<std::string>& names,
                                      std::size_t most) {
  const std::string key = FoldForSearch(wanted);
  const std::size_t reach = std::min<std::size_t>(1 + key.size() / 5, 4);
  std::vector<std::pair<std::size_t, std::string>> near;
  std::set<std::string> seen;
  for (const std::string& name : names) {
    const std::string folded = FoldForSearch(name);
    std::size_t distance = EditDistance(key, folded, reach);
    if (!key.empty() && folded.starts_with(key)) distance = std::min(distance, reach);
    if (distance <= reach && seen.insert(name).second) near.emplace_back(distance, name);
  }
  std::sort(near.begin(), near.end());
  std::vector<std::string> closest;
  for (std::size_t i = 0; i < near.size() && i < most; ++i) closest.push_back(near[i].second);
  return closest;
}

}
