#pragma once
// A bounds-checked little-endian reader over bytes held in memory.
//
// Every read checks what remains before it touches a byte and throws when the data end too soon;
// a read that throws leaves the position where it was. Messages give the offset and what was
// expected: "offset 0x1F2A4: expected 4 bytes for a 32-bit value, 2 remain".
//
// The exception type is a template parameter so that each file format throws its own error (the
// archive throws ArchiveError); `ByteReader` throws FormatError. The error type must be
// constructible from a std::string.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace wf {

// Data that do not have the layout their format prescribes.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace byte_reader_detail {
// "offset 0x1F2A4: <what>"
std::string AtOffset(std::size_t offset, std::string_view what);
// "offset 0x1F2A4: expected 4 bytes for a 32-bit value, 2 remain"
std::string ShortRead(std::size_t offset, std::size_t wanted, std::size_t remaining, std::string_view what);
// "offset 0x10: cannot move to offset 0x40, the data end at 0x20"
std::string BadSeek(std::size_t offset, std::size_t target, std::size_t size);

template <class T>
T LoadLittleEndian(const std::uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  if constexpr (std::endian::native == std::endian::big && sizeof(T) > 1) {
    T swapped = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      swapped = static_cast<T>((swapped << 8) | ((v >> (8 * i)) & 0xFF));
    v = swapped;
  }
  return v;
}
}

template <class Error>
class BasicByteReader {
 public:
  BasicByteReader() = default;
  explicit BasicByteReader(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t Offset() const { return pos_; }
  std::size_t Size() const { return data_.size(); }
  std::size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ == data_.size(); }
  std::span<const std::uint8_t> Data() const { return data_; }

  std::uint8_t U8() { return Fixed<std::uint8_t>("an 8-bit value"); }
  std::uint16_t U16() { return Fixed<std::uint16_t>("a 16-bit value"); }
  std::int16_t I16() { return static_cast<std::int16_t>(Fixed<std::uint16_t>("a 16-bit value")); }
  std::uint32_t U32() { return Fixed<std::uint32_t>("a 32-bit value"); }
  std::int32_t I32() { return static_cast<std::int32_t>(Fixed<std::uint32_t>("a 32-bit value")); }
  std::uint64_t U64() { return Fixed<std::uint64_t>("a 64-bit value"); }
  std::int64_t I64() { return static_cast<std::int64_t>(Fixed<std::uint64_t>("a 64-bit value")); }
  float Float() { return std::bit_cast<float>(Fixed<std::uint32_t>("a float")); }
  double Double() { return std::bit_cast<double>(Fixed<std::uint64_t>("a double")); }

  // The next n bytes, as a view into the data. `what` names them in the error message.
  std::span<const std::uint8_t> Bytes(std::size_t n, std::string_view what = {}) {
    Require(n, what);
    auto view = data_.subspan(pos_, n);
    pos_ += n;
    return view;
  }

  void Skip(std::size_t n, std::string_view what = {}) {
    Require(n, what);
    pos_ += n;
  }

  // Moves to an absolute offset; the end of the data is a valid position.
  void Seek(std::size_t offset) {
    if (offset > data_.size()) throw Error(byte_reader_detail::BadSeek(pos_, offset, data_.size()));
    pos_ = offset;
  }

  // Throws Error for a fault found by the caller, at the current offset or at a given one.
  [[noreturn]] void Fail(std::string_view what) const { FailAt(pos_, what); }
  [[noreturn]] void FailAt(std::size_t offset, std::string_view what) const {
    throw Error(byte_reader_detail::AtOffset(offset, what));
  }

 private:
  template <class T>
  T Fixed(const char* what) {
    if (Remaining() < sizeof(T)) [[unlikely]]
      ShortRead(sizeof(T), what);
    T v = byte_reader_detail::LoadLittleEndian<T>(data_.data() + pos_);
    pos_ += sizeof(T);
    return v;
  }

  void Require(std::size_t n, std::string_view what) const {
    if (Remaining() < n) [[unlikely]]
      ShortRead(n, what);
  }

  [[noreturn]] void ShortRead(std::size_t wanted, std::string_view what) const {
    throw Error(byte_reader_detail::ShortRead(pos_, wanted, Remaining(), what));
  }

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

using ByteReader = BasicByteReader<FormatError>;

}
