#pragma once
// Text for a person on standard output and standard error. Names from the databases are
// Windows-1252, messages and paths UTF-8: what is written goes out as UTF-8 (DisplayUtf8).
#include <functional>
#include <streambuf>
#include <string>
#include <string_view>

namespace wf {

enum class StandardStream { kOutput, kError };

// Writes UTF-8 text to standard output or standard error, and with `flush` passes on what the C
// library holds. On Windows, while the stream is a console window, as UTF-16 (WriteConsoleW), so that
// every letter shows whatever the console's code page; elsewhere, and whenever the stream is
// redirected to a file or a pipe, as UTF-8 bytes.
void WriteStandardStream(StandardStream stream, std::string_view utf8, bool flush);

// A stream buffer that hands what is written to `sink` as UTF-8 (DisplayUtf8), line by line and, with
// `flush` set, at every flush; a UTF-8 sequence cut by a flush waits for its rest. The destructor
// hands on the rest.
class DisplayStreamBuf final : public std::streambuf {
 public:
  using Sink = std::function<void(std::string_view utf8, bool flush)>;
  explicit DisplayStreamBuf(Sink sink);
  // Over standard output or standard error (WriteStandardStream).
  explicit DisplayStreamBuf(StandardStream stream);
  ~DisplayStreamBuf() override;
  DisplayStreamBuf(const DisplayStreamBuf&) = delete;
  DisplayStreamBuf& operator=(const DisplayStreamBuf&) = delete;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  // Hands on the complete lines, or with `flush` everything but a cut UTF-8 sequence at the end.
  void Emit(bool flush);

  Sink sink_;
  std::string pending_;
};

}
