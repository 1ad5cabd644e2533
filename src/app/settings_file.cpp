#include "app/settings_file.h"

#include <cmath>

#include "app/session.h"
#include "platform/numbers.h"
#include "platform/system.h"

namespace wf {

const CategoryKey kCategoryKeysInOrder[kCategoryCount] = {
    {"Taxi", kTaxi},         {"Buisiness", kBusiness}, {"Rental", kRental},
    {"Students", kTraining}, {"Club", kClub},          {"Privat", kPrivate},
};

const char* const kParkingFeeKeys[10] = {"small_RAMP", "medium_RAMP", "large_RAMP", "CARGO",
                                         "MIL_CARGO",  "MIL_RAMP",    "small_GATE", "medium_GATE",
                                         "heavy_GATE", "DOCK"};

namespace {

constexpr const char* kTuning = "Tuning";
constexpr const char* kSettingsSection = "Settings";
constexpr const char* kFlightplan = "Flightplan";
constexpr const char* kFees = "Fees";
constexpr const char* kPath = "Path";
constexpr const char* kFsxCfgKey = "FSXcfg";

// Reads keys one by one and records where each value came from.
class Reader {
 public:
  Reader(const IniFile& ini, std::vector<SettingEntry>* report) : ini_(ini), report_(report) {}

  std::int32_t Integer(const char* section, const char* key, std::int32_t fallback) {
    const bool present = ini_.GetString(section, key).has_value();
    const auto value = static_cast<std::int32_t>(ini_.GetInt(section, key, fallback));
    Note(section, key, std::to_string(value), present);
    return value;
  }

  // Integer times 100, read as unsigned 32-bit.
  float Hundredths(const char* section, const char* key, std::int64_t fallback) {
    const bool present = ini_.GetString(section, key).has_value();
    const auto stored = static_cast<std::uint32_t>(ini_.GetInt(section, key, fallback));
    const auto value = static_cast<float>(stored / 100.0);
    Note(section, key, FormatGeneral(value), present);
    return value;
  }

  std::uint8_t Percent(const char* section, const char* key, std::int64_t fallback) {
    const bool present = ini_.GetString(section, key).has_value();
    const auto value = static_cast<std::uint8_t>(ini_.GetInt(section, key, fallback));
    Note(section, key, std::to_string(value), present);
    return value;
  }

  std::string Text(const char* section, const char* key, const std::string& fallback,
                   bool* present = nullptr) {
    const auto stored = ini_.GetString(section, key);
    if (present) *present = stored.has_value();
    const std::string value = stored.value_or(fallback);
    Note(section, key, value, stored.has_value());
    return value;
  }

  void Note(const char* section, const std::string& key, std::string value, bool fromFile) {
    if (report_) report_->push_back({section, key, std::move(value), fromFile});
  }

 private:
  const IniFile& ini_;
  std::vector<SettingEntry>* report_;
};

// The defaults as stored (times 100 or percent), indexed by category.
constexpr std::int64_t kDefaultMax[kCategoryCount] = {150, 100, 100, 400, 800, 200};
constexpr std::int64_t kDefaultMin[kCategoryCount] = {50, 25, 50, 100, 200, 100};
constexpr std::int64_t kDefaultIfr[kCategoryCount] = {5, 20, 40, 50, 100, 100};
constexpr std::int64_t kDefaultNight[kCategoryCount] = {5, 20, 40, 50, 100, 100};
constexpr std::int64_t kDefaultTng[kCategoryCount] = {25, 40, 75, 10, 0, 0};
constexpr std::int64_t kDefaultParkingFee[10] = {200,    1000,  2500,  25000,  50000,
                                                 200000, 15000, 75000, 150000, 500};

std::string Piece(const std::string& text, std::size_t from, std::size_t length) {
  return from < text.size() ? text.substr(from, length) : std::string();
}

}

std::int64_t StoredHundredths(float value) {
  return std::llround(static_cast<double>(value) * 100.0);
}

TimeValue ParseStartDate(const std::string& text) {
  const auto month = static_cast<int>(LeadingWhole(Piece(text, 0, 2)).value_or(0));
  const auto day = static_cast<int>(LeadingWhole(Piece(text, 3, 2)).value_or(0));
  const auto year = static_cast<int>(LeadingWhole(Piece(text, 6, 4)).value_or(0));
  return MakeTime(year, month, day);
}

std::string FormatStartDate(TimeValue date) {
  const CalendarFields f = SplitTime(date);
  return FormatWhole(f.month, 2) + "/" + FormatWhole(f.day, 2) + "/" + FormatWhole(f.year, 4);
}

void ReadSettings(const IniFile& ini, Settings& settings, Random& random, std::vector<SettingEntry>* report) {
  Reader read(ini, report);
  settings.maxWeightPrivate = read.Integer(kTuning, "max_weight_for_private_planes", 5000);
  settings.minWeightTaxi = read.Integer(kTuning, "min_weight_for_taxi_planes", 1800);
  settings.maxWeightGA = read.Integer(kTuning, "max_weight_for_GA_planes", 14000);
  settings.gaPercentage = read.Integer(kSettingsSection, "GA_Percentage", 30);

  settings.startDate = ParseStartDate(read.Text(kFlightplan, "Date", "01/01/2006"));
  random.Seed(static_cast<std::uint32_t>(settings.startDate));

  for (const auto& c : kCategoryKeysInOrder) {
    settings.flightTimeMax[c.category] =
        read.Hundredths(kFlightplan, (std::string(c.prefix) + "_max").c_str(), kDefaultMax[c.category]);
  }
  for (const auto& c : kCategoryKeysInOrder) {
    settings.flightTimeMin[c.category] =
        read.Hundredths(kFlightplan, (std::string(c.prefix) + "_min").c_str(), kDefaultMin[c.category]);
  }
  for (const auto& c : kCategoryKeysInOrder) {
    settings.ifrPercent[c.category] =
        read.Percent(kFlightplan, (std::string(c.prefix) + "_IFR").c_str(), kDefaultIfr[c.category]);
  }
  for (const auto& c : kCategoryKeysInOrder) {
    settings.nightPercent[c.category] =
        read.Percent(kFlightplan, (std::string(c.prefix) + "_Night").c_str(), kDefaultNight[c.category]);
  }
  for (const auto& c : kCategoryKeysInOrder) {
    settings.touchAndGoPercent[c.category] =
        read.Percent(kFlightplan, (std::string(c.prefix) + "_TNG").c_str(), kDefaultTng[c.category]);
  }

  for (int i = 0; i < 10; ++i) {
    settings.parkingFee[i + 2] = read.Hundredths(kFees, kParkingFeeKeys[i], kDefaultParkingFee[i]);
  }
  settings.crossCountryFee = read.Hundredths(kFees, "cross_country", 7500);
  settings.ifrFee = read.Hundredths(kFees, "IFR", 125);
  settings.ilsFee = read.Hundredths(kFees, "ILS", 500);
  settings.lightsFee = read.Hundredths(kFees, "Lights", 250);
  settings.runwayFee = read.Hundredths(kFees, "Runway", 33);
}

void ReadPathSettings(const IniFile& ini, Session& session, std::vector<SettingEntry>* report) {
  Reader read(ini, report);
  session.toolsFolder = NativePath(read.Text(kPath, "TTools", NativePathText(session.workFolder / "Bin")));
  session.simFolder = NativePath(read.Text(kPath, "FS2004", NativePathText(session.simFolder)));
  session.fsxCfgFolder = NativePath(read.Text(kPath, kFsxCfgKey, ""));
}

void WriteFlightplanSettings(IniFile& ini, const Settings& settings) {
  ini.SetString(kFlightplan, "Date", FormatStartDate(settings.startDate));
  for (const auto& c : kCategoryKeysInOrder) {
    ini.SetInt(kFlightplan, std::string(c.prefix) + "_max",
               StoredHundredths(settings.flightTimeMax[c.category]));
  }
  for (const auto& c : kCategoryKeysInOrder) {
    ini.SetInt(kFlightplan, std::string(c.prefix) + "_min",
               StoredHundredths(settings.flightTimeMin[c.category]));
  }
  for (const auto& c : kCategoryKeysInOrder) {
    ini.SetInt(kFlightplan, std::string(c.prefix) + "_IFR", settings.ifrPercent[c.category]);
  }
  for (const auto& c : kCategoryKeysInOrder) {
    ini.SetInt(kFlightplan, std::string(c.prefix) + "_Night", settings.nightPercent[c.category]);
  }
  for (const auto& c : kCategoryKeysInOrder) {
    ini.SetInt(kFlightplan, std::string(c.prefix) + "_TNG", settings.touchAndGoPercent[c.category]);
  }
  for (int i = 0; i < 10; ++i) {
    ini.SetInt(kFees, kParkingFeeKeys[i], StoredHundredths(settings.parkingFee[i + 2]));
  }
  ini.SetInt(kFees, "cross_country", StoredHundredths(settings.crossCountryFee));
  ini.SetInt(kFees, "IFR", StoredHundredths(settings.ifrFee));
  ini.SetInt(kFees, "ILS", StoredHundredths(settings.ilsFee));
  ini.SetInt(kFees, "Lights", StoredHundredths(settings.lightsFee));
  ini.SetInt(kFees, "Runway", StoredHundredths(settings.runwayFee));
}

void WriteTuningSettings(IniFile& ini, const Session& session) {
  const Settings& settings = session.settings;
  ini.SetInt(kTuning, "max_weight_for_private_planes", settings.maxWeightPrivate);
  ini.SetInt(kTuning, "min_weight_for_taxi_planes", settings.minWeightTaxi);
  ini.SetInt(kTuning, "max_weight_for_GA_planes", settings.maxWeightGA);
  ini.SetInt(kSettingsSection, "GA_Percentage", settings.gaPercentage);
  ini.SetString(kPath, "TTools", NativePathText(session.toolsFolder));
  ini.SetString(kPath, "FS2004", NativePathText(session.simFolder));
  if (!session.fsxCfgFolder.empty() || ini.GetString(kPath, kFsxCfgKey))
    ini.SetString(kPath, kFsxCfgKey, NativePathText(session.fsxCfgFolder));
}

}
