#pragma once
// What the three image-tool stand-ins share: their one-line reports, reading inputs and writing
// outputs, and the exit statuses (0 done, 1 an input could not be read or an output not written,
// 2 usage error).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image_codec.h"

namespace wf::imaging {

inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// Prints "<tool> (Wingfold stand-in): <text>" on standard error.
void Say(std::string_view tool, std::string_view text);

// Says what is wrong and how the tool is used; returns kUsage.
int Usage(std::string_view tool, std::string_view problem, std::string_view usage);

// Whether `argument` is the option `name`, without regard to case ("-DXT3" is "-dxt3").
bool IsOption(std::string_view argument, std::string_view name);

// The picture in a BMP texture (starts with "BM") or a TGA file; nothing with the reason.
std::optional<Image> ReadPicture(const std::filesystem::path& file, std::string* why);

// Writes `bytes` to `file` in one piece (a temporary file renamed over it); false with the reason.
bool WriteOutput(const std::filesystem::path& file, const std::string& bytes, std::string* why);

// The files a command-line path names: every file matching a wildcard in its last component, or the
// one file it names.
std::vector<std::filesystem::path> InputFiles(std::string_view text);

// A scale factor of -rel_scale: a positive number, locale-free.
std::optional<double> ParseScale(std::string_view text);

std::string Describe(const Image& image);

}
