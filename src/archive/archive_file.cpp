#include "archive/archive_file.h"

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#include "platform/errors.h"

namespace wf {

namespace {
// The reason of the last failed stream operation, as far as the runtime tells it.
std::string LastReason(int error) {
  return error != 0 ? std::generic_category().message(error) : std::string("input/output error");
}

std::string Quoted(const std::filesystem::path& path) {
  return "\"" + path.string() + "\"";
}

[[noreturn]] void Fail(const std::string& action, const std::filesystem::path& path,
                       const std::string& reason) {
  throw FileError("cannot " + action + " " + Quoted(path) + ": " + reason);
}
}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;

  std::vector<std::uint8_t> bytes;
  errno = 0;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 0 || !in) Fail("read", path, LastReason(errno));
  bytes.resize(static_cast<std::size_t>(size));
  if (!bytes.empty() && !in.read(reinterpret_cast<char*>(bytes.data()), size))
    Fail("read", path, in.gcount() < size ? "the file ended early" : LastReason(errno));
  return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::filesystem::path temp = path;
  temp += ".tmp";
  std::error_code ignored;

  errno = 0;
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  if (!out) Fail("write", path, "cannot create " + Quoted(temp) + ": " + LastReason(errno));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    const std::string reason = LastReason(errno);
    std::filesystem::remove(temp, ignored);
    Fail("write", path, reason);
  }

  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ignored);
    Fail("write", path, "cannot replace it with " + Quoted(temp) + ": " + ec.message());
  }
}

}  // namespace wf
