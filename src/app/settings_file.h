#pragma once
// Wingfold.ini: every setting, its default, its stored form and the order in which it is read.
//
// Stored forms: weights and GA_Percentage are plain integers; hours and money are integers times
// 100 (read as unsigned 32-bit, divided by 100; written rounded to the nearest integer, so a value
// read and written again never drifts); percentages keep the low byte of the integer; the Date is
// "MM/DD/YYYY" cut at fixed positions; paths are text (FS2004 holds the simulator folder).
#include <filesystem>
#include <string>
#include <vector>

#include "platform/crt_random.h"
#include "platform/ini_profile.h"
#include "world/settings.h"

namespace wf {

struct Session;

// One key as read: where its value came from and what the program made of it.
struct SettingEntry {
  std::string section;
  std::string key;
  std::string value;  // in memory, in display units (hours, money, percent, kg, date)
  bool fromFile = false;
};

// The category key prefixes in reading order (Taxi first), with the category each names.
struct CategoryKey {
  const char* prefix;
  Category category;
};
extern const CategoryKey kCategoryKeysInOrder[kCategoryCount];

// The [Fees] keys of parking types 2..11, in order.
extern const char* const kParkingFeeKeys[10];

// Reads [Tuning], [Settings], [Flightplan] and [Fees] in the program's order into `settings`;
// builds the start date and seeds `random` with its low 32 bits. Missing keys keep the defaults.
// Appends one entry per key to `report` when given.
void ReadSettings(const IniFile& ini, Settings& settings, Random& random,
                  std::vector<SettingEntry>* report = nullptr);

// [Path] into the session's folders: TTools into toolsFolder (default workFolder/Bin), FS2004 into
// simFolder (default: as it is), then FSXcfg, the folder of fsx.cfg, into fsxCfgFolder (default:
// empty, for the platform's own place). Appends the three entries to `report` when given.
void ReadPathSettings(const IniFile& ini, Session& session, std::vector<SettingEntry>* report = nullptr);

// "MM/DD/YYYY" cut at positions 0-1, 3-4 and 6-9, each piece read as its leading whole number
// (LeadingWhole; 0 when it has none); the day at 00:00:00 UTC. A malformed date gives what the cut yields
// (possibly the invalid time).
TimeValue ParseStartDate(const std::string& text);
std::string FormatStartDate(TimeValue date);

// Writers used by the pages' apply: they change their keys in place and keep everything else.
// [Flightplan] (Date and the per-category keys) and [Fees].
void WriteFlightplanSettings(IniFile& ini, const Settings& settings);
// [Tuning], [Settings] and [Path] from the session (FSXcfg only when set or already in the file).
void WriteTuningSettings(IniFile& ini, const Session& session);

// Hours or money as stored: times 100, rounded to the nearest integer.
std::int64_t StoredHundredths(float value);

}
