#pragma once
// Where the simulator keeps its aircraft: the SimObjectPaths entries of fsx.cfg, each naming a
// folder whose sub-folders are aircraft folders.
//
//   fsx.cfg (roaming application data, Microsoft\FSX\fsx.cfg):
//     [Main]
//     SimObjectPaths.0=SimObjects\Airplanes
//     SimObjectPaths.1=SimObjects\Rotorcraft
//     ...
// Entries are relative to the simulator's folder; add-ons sometimes write absolute ones
// ("D:\Addons\SimObjects"). Names on disk are matched without regard to case.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace wf {

// Entries beyond this many are ignored.
inline constexpr std::size_t kMaxSimObjectPaths = 20;

// The values of the path entries in section [Main] of fsx.cfg: lines that begin with
// "SimObjectPaths." (any case), values with their case kept and trailing blanks removed, in file
// order, at most kMaxSimObjectPaths.
std::vector<std::string> ReadSimObjectPaths(std::string_view fsxCfgText);

// The folder that one entry names, spelled as on disk where it exists (it may not exist):
// - relative (also with a leading backslash): below `simFolder`; nothing when that is empty;
// - a drive path ("D:\Addons"): as it is on Windows; elsewhere, when `simFolder` lies inside a Wine
//   prefix, the drive's folder of that prefix (dosdevices/d:, or drive_c for C:); otherwise nothing;
// - a network path ("\\server\share"): as it is on Windows; nothing elsewhere.
// Nothing is an empty path.
std::filesystem::path SimObjectFolder(const std::filesystem::path& simFolder, std::string_view entry);

}
