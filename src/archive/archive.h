#pragma once
// The object archive: the binary encoding of the four database files.
//
// Format facts (all little-endian, no padding):
//   8/16/32-bit integers, IEEE float and double: 1, 2, 4, 4, 8 bytes.
//   count:  16-bit when below 0xFFFF, else 0xFFFF and a 32-bit count.
//   string: length prefix, then the bytes (8-bit code page, Windows-1252). Written prefix: one byte
//           below 255; 0xFF + 16-bit length up to 0xFFFD; else 0xFF, 0xFFFF, 32-bit length.
//           Read: 0xFF then 0xFFFE marks a string of 16-bit characters whose prefix restarts
//           once (a second 0xFFFE is a length); such strings are converted to Windows-1252,
//           with '?' for characters the code page lacks.
//   time:   32-bit seconds; the value 0x8000000A is a marker after which 64-bit seconds follow.
//           Written as 32 bits when the value fits a signed 32-bit integer and is not the
//           marker's own value (-2147483638).
//   object reference: 0x0000 null; 0xFFFF, schema (16), name length (16), name = new class;
//           0x8000|classIndex (or 0x7FFF, 0x80000000|index) = known class; index (or 0x7FFF,
//           32-bit index) = an object already read. One counter from 1 numbers classes and
//           objects in order of first appearance; a new class takes its number before its object.
//           Class names are shorter than 64 bytes.
//
// In the database files every object occurs once, so a reader never meets a back-reference to an
// object; ReadObject hands the caller sole ownership and therefore rejects such a reference.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "archive/byte_reader.h"
#include "platform/calendar.h"
#include "platform/record_memory.h"

namespace wf {

// A damaged or truncated archive. The message gives the byte offset and what was expected.
class ArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CArchive;

// What a record's Serialize needs from its surroundings (indexes, counters, progress) while an
// archive is read or written. The world layer derives the concrete context; the archive only
// carries it and hands it to every object it creates.
class ArchiveContext {
 public:
  virtual ~ArchiveContext() = default;
};

// Root of every archived record class.
class CObject {
 public:
  virtual ~CObject() = default;
  // Records are many and small: they come from the record pool.
  static void* operator new(std::size_t size) { return AllocateRecordMemory(size); }
  static void operator delete(void* memory, std::size_t size) noexcept { FreeRecordMemory(memory, size); }
  // The class name written into the archive ("CAirport").
  virtual const char* ClassName() const = 0;
  // The schema number written when storing.
  virtual std::uint16_t Schema() const = 0;
  // Stores or loads the object's own data, as ar.IsStoring() says.
  virtual void Serialize(CArchive& ar) = 0;
};

struct ClassInfo {
  std::string name;
  std::uint16_t schema = 0;  // the schema number a stored archive must carry...
  bool anySchema = false;    // ...unless the class is versionable and accepts any
  std::function<std::unique_ptr<CObject>(ArchiveContext*)> create;
};

// The classes an archive may create, by name.
class ClassRegistry {
 public:
  void Register(ClassInfo info);
  const ClassInfo* Find(std::string_view name) const;

 private:
  std::map<std::string, ClassInfo, std::less<>> classes_;
};

class CArchive {
 public:
  // An archive that appends to `out`.
  CArchive(std::vector<std::uint8_t>& out, ArchiveContext* context = nullptr);
  // An archive that reads `data`, creating objects from `registry`. `data` must outlive it.
  CArchive(std::span<const std::uint8_t> data, const ClassRegistry& registry,
           ArchiveContext* context = nullptr);

  bool IsStoring() const { return out_ != nullptr; }
  bool IsLoading() const { return out_ == nullptr; }
  ArchiveContext* Context() const { return context_; }
  // While loading an object: the schema number that came with its class's tag.
  std::uint16_t LoadedSchema() const { return loadedSchema_; }
  // Read position (loading) or bytes written (storing).
  std::size_t Offset() const;
  // Loading: whether every byte has been read. Storing: always true.
  bool AtEnd() const;
  // Loading: the bytes not read yet. Storing: 0.
  std::size_t Remaining() const;

  // Objects nest at most this deep (the world tree is five levels); deeper nesting fails the load
  // rather than exhausting the stack on damaged data.
  static constexpr int kMaxObjectDepth = 32;

  void WriteU8(std::uint8_t v);
  void WriteU16(std::uint16_t v);
  void WriteI32(std::int32_t v);
  void WriteU32(std::uint32_t v);
  void WriteFloat(float v);
  void WriteDouble(double v);
  void WriteTime(TimeValue v);
  void WriteCount(std::uint32_t n);
  void WriteString(std::string_view s);
  void WriteBytes(std::span<const std::uint8_t> bytes);
  // Writes the tag (new class, known class) and then calls obj->Serialize; null writes 0x0000.
  // Every call writes the object in full: the files hold each object once. Throws ArchiveError for
  // a class name of 64 bytes or more.
  void WriteObject(const CObject* obj);

  std::uint8_t ReadU8();
  std::uint16_t ReadU16();
  std::int32_t ReadI32();
  std::uint32_t ReadU32();
  float ReadFloat();
  double ReadDouble();
  TimeValue ReadTime();
  std::uint32_t ReadCount();
  // A count of elements that take at least `minBytesEach` bytes each: fails at once when the
  // elements cannot fit in what remains, so the caller may reserve room for them.
  std::uint32_t ReadCount(std::size_t minBytesEach);
  std::string ReadString();
  void ReadBytes(std::span<std::uint8_t> bytes);
  // The class named by the next object tag, without reading it: the name a new-class tag carries,
  // or the class a known-class tag refers to. Empty for any other tag or where the data end too
  // soon; the tag's faults are left for ReadObject to report. Never throws.
  std::string PeekClassName() const;
  // Throws ArchiveError for a fault the caller found in data it read: "offset 0x1F2A4: <what>".
  [[noreturn]] void FailAt(std::size_t offset, std::string_view what) const { in_.FailAt(offset, what); }
  // Reads a tag and, for a new object, creates it through the registry and loads it. Returns null
  // for the null tag. Throws ArchiveError for every malformed tag, unknown class, failed schema
  // check, index that names nothing read so far, index of the wrong kind, reference to an object
  // already read, and nesting deeper than kMaxObjectDepth.
  std::unique_ptr<CObject> ReadObject();
  // As ReadObject, and the class named by the tag must be `expectedClass`; checked before the
  // object is created.
  std::unique_ptr<CObject> ReadObject(std::string_view expectedClass);
  // As ReadObject(expectedClass), returning the object as the record type T that the registry
  // creates for that class name.
  template <class T>
  std::unique_ptr<T> ReadObjectAs(std::string_view expectedClass) {
    std::unique_ptr<CObject> obj = ReadObject(expectedClass);
    if (obj == nullptr) return nullptr;
    T* typed = dynamic_cast<T*>(obj.get());
    if (typed == nullptr)
      throw ArchiveError("class " + std::string(expectedClass) + " is registered with the wrong type");
    obj.release();
    return std::unique_ptr<T>(typed);
  }

 private:
  // One entry per index read so far; entry 0 is the null reference.
  struct LoadedEntry {
    const ClassInfo* cls = nullptr;  // the class itself, or the class of the object
    std::uint16_t schema = 0;        // the schema that came with the class's tag
    bool isClass = false;
  };

  void Append(std::uint64_t v, int bytes);
  std::uint32_t TakeStoreIndex();
  std::uint32_t ReadStringLength(bool& wide);
  // Reads a tag up to the object's data; returns the entry index of the object's class, or 0 for null.
  std::uint32_t ReadTag(std::string_view expectedClass);

  std::vector<std::uint8_t>* out_ = nullptr;
  std::size_t outStart_ = 0;
  BasicByteReader<ArchiveError> in_;
  const ClassRegistry* registry_ = nullptr;
  ArchiveContext* context_ = nullptr;
  std::uint16_t loadedSchema_ = 0;
  int depth_ = 0;
  std::uint32_t nextIndex_ = 1;                                      // storing
  std::map<std::string, std::uint32_t, std::less<>> storedClasses_;  // storing: name -> index
  std::vector<LoadedEntry> loaded_;                                  // loading: by index
};

}
