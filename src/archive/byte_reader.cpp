#include "archive/byte_reader.h"

#include "platform/text.h"

namespace wf::byte_reader_detail {

std::string AtOffset(std::size_t offset, std::string_view what) {
  std::string message = "offset " + Hex(offset) + ": ";
  message += what;
  return message;
}

std::string ShortRead(std::size_t offset, std::size_t wanted, std::size_t remaining, std::string_view what) {
  std::string message = "expected " + std::to_string(wanted) + (wanted == 1 ? " byte" : " bytes");
  if (!what.empty()) {
    message += " for ";
    message += what;
  }
  message += ", " + std::to_string(remaining) + (remaining == 1 ? " remains" : " remain");
  return AtOffset(offset, message);
}

std::string BadSeek(std::size_t offset, std::size_t target, std::size_t size) {
  return AtOffset(offset, "cannot move to offset " + Hex(target) + ", the data end at " + Hex(size));
}

}
