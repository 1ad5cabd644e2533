#pragma once
// Names given on the command line, looked up among names that the databases tell apart by case
// ("Trainer_152" and "TRAINER_152" are two models): the exact spelling always wins; otherwise a name
// equal without regard to case is taken only when it is the one.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace wf::cli {

struct NameMatches {
  std::optional<std::size_t> exact;  // the index of the name spelled as given
  std::vector<std::size_t> folded;   // the indexes of the names equal to it without regard to case
};

inline NameMatches MatchName(const std::vector<std::string_view>& names, std::string_view name) {
  NameMatches matches;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name && !matches.exact) matches.exact = i;
    if (EqualsIgnoringCase(names[i], name)) matches.folded.push_back(i);
  }
  return matches;
}

// The message for a name that several names match without regard to case.
inline std::string AmbiguousName(std::string_view name, const std::vector<std::string_view>& names,
                                 const std::vector<std::size_t>& matches) {
  std::string text = "\"" + std::string(name) + "\" is ambiguous; it could be";
  for (std::size_t i = 0; i < matches.size(); ++i)
    text += (i == 0                    ? " \""
             : i + 1 == matches.size() ? " or \""
                                       : ", \"") +
            std::string(names[matches[i]]) + "\"";
  return text + ". Give the name with its letter case";
}

}
