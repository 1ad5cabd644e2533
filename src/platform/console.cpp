#include "platform/console.h"

#include <cstdio>

#include "platform/windows1252.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <climits>
#endif

namespace wf {

void WriteStandardStream(StandardStream stream, std::string_view utf8, bool flush) {
  std::FILE* file = stream == StandardStream::kOutput ? stdout : stderr;
#ifdef _WIN32
  HANDLE handle = GetStdHandle(stream == StandardStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) && !utf8.empty() &&
      utf8.size() < INT_MAX) {
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    std::fflush(file);  // what the C library holds goes first
    DWORD written = 0;
    if (WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)) return;
  }
#endif
  std::fwrite(utf8.data(), 1, utf8.size(), file);
  if (flush) std::fflush(file);
}

DisplayStreamBuf::DisplayStreamBuf(Sink sink) : sink_(std::move(sink)) {}

DisplayStreamBuf::DisplayStreamBuf(StandardStream stream)
    : sink_([stream](std::string_view utf8, bool flush) { WriteStandardStream(stream, utf8, flush); }) {}

DisplayStreamBuf::~DisplayStreamBuf() {
  Emit(true);
  if (!pending_.empty()) sink_(DisplayUtf8(pending_), true);
}

DisplayStreamBuf::int_type DisplayStreamBuf::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char byte = traits_type::to_char_type(c);
  pending_ += byte;
  if (byte == '\n') Emit(false);
  return c;
}

std::streamsize DisplayStreamBuf::xsputn(const char* text, std::streamsize count) {
  const std::string_view piece(text, static_cast<std::size_t>(count));
  pending_.append(piece);
  if (piece.find('\n') != std::string_view::npos) Emit(false);
  return count;
}

int DisplayStreamBuf::sync() {
  Emit(true);
  return 0;
}

void DisplayStreamBuf::Emit(bool flush) {
  const std::size_t end = flush ? pending_.size() - CutUtf8Tail(pending_) : pending_.rfind('\n') + 1;
  sink_(DisplayUtf8(std::string_view(pending_).substr(0, end)), flush);
  pending_.erase(0, end);
}

}
