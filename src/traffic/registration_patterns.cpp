#include "traffic/registration_patterns.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/numbers.h"

namespace wf {

namespace {

constexpr std::string_view kCountryTag = "COUNTRY;";

struct CountryPatterns {
  std::string_view country;
  std::int32_t patternCount = 0;
  std::array<std::string, CCountry::kMaxPatterns> patterns;
};

std::vector<std::string_view> SplitAtSemicolons(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t end = line.find(';');
    fields.push_back(line.substr(0, end));
    if (end == std::string_view::npos) return fields;
    line.remove_prefix(end + 1);
  }
}

// The count field read as a leading decimal number (trailing text ignored) and truncated toward
// zero; nothing when it holds no finite number.
std::optional<double> ReadCount(std::string_view field) {
  const std::optional<double> value = LeadingDecimal(field);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return std::trunc(*value);
}

std::optional<CountryPatterns> ParseCountryLine(std::string_view line) {
  if (!line.starts_with(kCountryTag)) return std::nullopt;
  const std::vector<std::string_view> fields = SplitAtSemicolons(line);
  if (fields.size() < 3) return std::nullopt;
  const std::optional<double> count = ReadCount(fields[2]);
  // -1 is the class-chosen set of all patterns; beyond the eleven slots a count has nothing to
  // refer to.
  if (!count || *count < -1 || *count > CCountry::kMaxPatterns) return std::nullopt;

  CountryPatterns result;
  result.country = fields[1];
  result.patternCount = static_cast<std::int32_t>(*count);
  const std::size_t wanted = result.patternCount == -1 ? CCountry::kMaxPatterns : result.patternCount;
  for (std::size_t i = 0; i < wanted && 3 + i < fields.size(); ++i)
    result.patterns[i] = std::string(fields[3 + i]);
  return result;
}

void ApplyToCountries(const CountryPatterns& line, World& world) {
  for (auto& [regionName, region] : world.regionMap) {
    CCountry* country = region->countries.Find(line.country);
    if (country == nullptr) continue;
    country->patternCount = line.patternCount;
    // Slots beyond the count are emptied too: they are not archived, so keeping old text there
    // would only last until the next load.
    country->registrationPatterns = line.patterns;
  }
}

}

void ApplyRegistrationPatterns(std::string_view fileText, World& world) {
  while (!fileText.empty()) {
    const std::size_t end = fileText.find('\n');
    std::string_view line = fileText.substr(0, end);
    fileText.remove_prefix(end == std::string_view::npos ? fileText.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    line = line.substr(0, kMaxRegistrationLineLength);
    if (const std::optional<CountryPatterns> parsed = ParseCountryLine(line))
      ApplyToCountries(*parsed, world);
  }
}

bool ReadRegistrationPatternsFile(const std::filesystem::path& path, World& world) {
  const std::optional<std::string> text = ReadFileBytes(path);
  if (!text) return false;
  ApplyRegistrationPatterns(*text, world);
  return true;
}

}
