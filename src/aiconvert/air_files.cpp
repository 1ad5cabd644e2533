#include "aiconvert/air_files.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>

#include "aiconvert/shell_file_op.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace wf {

namespace {

namespace fs = std::filesystem;

constexpr std::uint16_t kQuietReplace = FOF_SILENT | FOF_NOCONFIRMATION;  // 0x0014
constexpr std::uint16_t kQuietCopy = FOF_SILENT | FOF_NOCONFIRMMKDIR;     // 0x0204
constexpr std::string_view kBackupPrefix = "org_";
constexpr const char* kIncomingSuffix = ".air.incoming";

// The figure a piece of a title gives: its leading decimal number, plus 0.5, truncated; 0 when it
// does not start with a number.
int Figure(std::string_view piece) {
  const std::optional<double> value = LeadingDecimal(piece);
  if (!value || !std::isfinite(*value) || std::fabs(*value) > 1e6) return 0;
  return static_cast<int>(*value + 0.5);
}

// The flight models of a folder by BASE (the title without "org_"), each once, in listing order.
std::vector<std::string> FlightModelBases(const fs::path& folder) {
  std::vector<std::string> bases;
  std::set<std::string> seen;
  for (const FolderEntry& entry : ListFolder(folder, "*.air")) {
    if (entry.isFolder) continue;
    std::string base = PathUtf8(entry.path.stem());
    if (EqualsIgnoringCase(std::string_view(base).substr(0, kBackupPrefix.size()), kBackupPrefix)) {
      base.erase(0, kBackupPrefix.size());
    }
    if (seen.insert(ToUpperAscii(base)).second) bases.push_back(base);
  }
  return bases;
}

bool Exists(const fs::path& path) {
  return FindExistingPath(path).has_value();
}

void Collect(const CShellFileOp& operation, FlightModelReport& report) {
  const auto& failures = operation.Result().failures;
  report.failures.insert(report.failures.end(), failures.begin(), failures.end());
}

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

}

std::vector<AirFileEntry> ListAirFileLibrary(const fs::path& workFolder) {
  std::vector<AirFileEntry> entries;
  const std::optional<fs::path> library = FindExistingPath(workFolder / kAirFileLibraryFolder);
  if (!library) return entries;
  for (const FolderEntry& entry : ListFolder(*library, "*.air")) {
    if (entry.isFolder) continue;
    std::string title = PathUtf8(entry.path.stem());
    std::string display = AirFileDisplayName(title);
    entries.push_back({std::move(title), std::move(display), entry.path});
  }
  return entries;
}

std::string AirFileDisplayName(std::string_view title) {
  return std::string(title.substr(0, title.find('@')));
}

AirFileFigures ParseAirFileFigures(std::string_view title) {
  const std::size_t at = title.find('@');
  if (at == std::string_view::npos) return {};
  const std::size_t hash = title.find('#', at + 1);
  if (hash == std::string_view::npos) return {};
  const std::size_t end = title.find('#', hash + 1);
  const std::string_view stall =
      title.substr(hash + 1, end == std::string_view::npos ? std::string_view::npos : end - hash - 1);
  return {Figure(title.substr(at + 1, hash - at - 1)), Figure(stall)};
}

int DefaultAirFileChoice(const std::vector<std::string>& titles, int cruiseSpeed, int stallSpeed) {
  long best = 32767;
  int choice = 0;
  for (std::size_t i = 2; i < titles.size(); ++i) {
    const AirFileFigures figures = ParseAirFileFigures(titles[i]);
    const long distance = std::labs(static_cast<long>(figures.cruise) - cruiseSpeed) +
                          std::labs(static_cast<long>(figures.stall) - stallSpeed);
    if (distance < best) {
      best = distance;
      choice = static_cast<int>(i);
    }
  }
  return choice;
}

FlightModelReport ReplaceFlightModels(const fs::path& folder, const fs::path& libraryFile, Prompter* owner) {
  FlightModelReport report;
  for (const std::string& base : FlightModelBases(folder)) {
    const fs::path model = folder / (base + ".air");
    const fs::path backup = folder / (std::string(kBackupPrefix) + base + ".air");
    // The library's file comes in under a name no listing takes for a flight model, and takes the
    // model's place by a rename: a copy that fails (a full disk) changes nothing.
    const fs::path incoming = folder / (base + kIncomingSuffix);
    std::error_code ec;
    fs::remove(incoming, ec);
    const CShellFileOp copy(owner, FO_COPY, libraryFile, incoming, kQuietCopy, "");
    Collect(copy, report);
    if (copy.Result().written.empty()) {
      if (copy.Result().failures.empty())
        report.failures.push_back(PathUtf8(libraryFile) + " was not copied");
      fs::remove(incoming, ec);
      continue;
    }
    // Without the model, the backup already holds the one in place before (an interrupted run).
    if (Exists(model)) {
      if (Exists(backup)) Collect(CShellFileOp(owner, FO_DELETE, backup, {}, kQuietReplace, ""), report);
      Collect(CShellFileOp(owner, FO_RENAME, model, backup, kQuietReplace, ""), report);
    }
    const CShellFileOp rename(owner, FO_RENAME, incoming, model, kQuietReplace, "");
    Collect(rename, report);
    if (!rename.Result().written.empty()) report.replaced.push_back(model);
  }
  return report;
}

FlightModelReport RestoreFlightModels(const fs::path& folder, Prompter* owner) {
  FlightModelReport report;
  for (const std::string& base : FlightModelBases(folder)) {
    const fs::path model = folder / (base + ".air");
    const fs::path backup = folder / (std::string(kBackupPrefix) + base + ".air");
    if (!Exists(backup)) continue;
    // The rename replaces the model; a backup whose model is missing (an interrupted run) goes back too.
    const CShellFileOp rename(owner, FO_RENAME, backup, model, kQuietReplace, "");
    Collect(rename, report);
    if (!rename.Result().written.empty()) report.restored.push_back(model);
  }
  return report;
}

AirRecordSearch FindAIRecord(std::span<const std::uint8_t> bytes) {
  AirRecordSearch search;
  const std::size_t size = bytes.size();
  std::size_t offset = 0;
  while (offset < size) {
    if (size - offset < 8) {
      search.outcome = AirPatchOutcome::kDamaged;
      search.detail =
          "a record header at offset " + std::to_string(offset) + " runs past the end of the file";
      return search;
    }
    const std::uint32_t id = ReadU32(bytes, offset);
    const std::uint64_t length = ReadU32(bytes, offset + 4);
    if (length > size - offset - 8) {
      search.outcome = AirPatchOutcome::kDamaged;
      search.detail = "record " + std::to_string(id) + " at offset " + std::to_string(offset) + " claims " +
                      std::to_string(length) + " data bytes; the file ends " +
                      std::to_string(size - offset - 8) + " bytes after its header";
      return search;
    }
    if (id == kAIRecordId) {
      if (length >= 4) {
        search.outcome = AirPatchOutcome::kPatched;
        search.valueOffset = offset + 8;
      }
      return search;
    }
    offset += 8 + static_cast<std::size_t>(length);
  }
  return search;
}

AirPatchResult PatchAirFile(const fs::path& file) {
  AirPatchResult result;
  result.file = file;
  const std::optional<std::string> bytes = ReadFileBytes(file);
  if (!bytes) {
    result.outcome = AirPatchOutcome::kUnreadable;
    result.detail = "cannot be read";
    return result;
  }
  if (bytes->size() < 8) return result;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
  const AirRecordSearch search = FindAIRecord({data, bytes->size()});
  result.outcome = search.outcome;
  result.detail = search.detail;
  if (search.outcome != AirPatchOutcome::kPatched) return result;
  if (ReadU32({data, bytes->size()}, search.valueOffset) == kAIRecordValue) return result;
  // Only the value is written, in place: the rest of the file is never at risk.
  std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
  if (!out) {
    result.outcome = AirPatchOutcome::kUnwritable;
    result.detail = "cannot be opened for writing";
    return result;
  }
  const char value[4] = {static_cast<char>(kAIRecordValue), 0, 0, 0};
  out.seekp(static_cast<std::streamoff>(search.valueOffset));
  out.write(value, sizeof(value));
  out.flush();
  if (!out) {
    result.outcome = AirPatchOutcome::kUnwritable;
    result.detail = "the write failed";
  }
  return result;
}

std::vector<AirPatchResult> PatchAirFiles(const fs::path& folder) {
  std::vector<AirPatchResult> results;
  for (const FolderEntry& entry : ListFolder(folder, "*.air")) {
    if (!entry.isFolder) results.push_back(PatchAirFile(entry.path));
  }
  return results;
}

}
