#pragma once
// Matching names as a person types them: without regard to case or accents, and the nearest names
// to a misspelled one. Text is Windows-1252, as the databases store names.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wf::ui {

// `text` with its letters folded for matching: lower case, and the accented Latin letters of
// Windows-1252 as their base letters ("Zürich" and "ZURICH" both give "zurich"; "ß" gives "ss",
// "Æ" "ae", "Œ" "oe", "Þ" "th"). Every other byte stays.
std::string FoldForSearch(std::string_view text);

// Names that contain a text, without regard to case or accents; every name when the text is empty
// or blank.
class NameFilter {
 public:
  explicit NameFilter(std::string_view text = {});
  bool Matches(std::string_view name) const;
  bool empty() const { return key_.empty(); }

 private:
  std::string key_;  // the text folded
};

// The names of `names` nearest to `wanted`, for a "did you mean": by the edit distance of their
// folded forms (an insertion, deletion, change, or swap of two neighbouring letters counts 1),
// within 1 for a short name and up to 4 for a long one; a name that begins with `wanted` counts as
// within reach too. Nearest first (equals by name), each name once, at most `most`.
std::vector<std::string> ClosestNames(std::string_view wanted, const std::vector<std::string>& names,
                                      std::size_t most = 3);

}
