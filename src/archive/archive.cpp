#include "archive/archive.h"

#include <bit>
#include <cstring>
#include <limits>

#include "platform/text.h"
#include "platform/windows1252.h"

namespace wf {

namespace {
constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;         // ORed with a class index below 0x7FFF
constexpr std::uint16_t kBigObjectTag = 0x7FFF;     // a 32-bit tag follows
constexpr std::uint32_t kBigClassTag = 0x80000000;  // in a 32-bit tag: the index names a class
constexpr std::uint16_t kWideStringMarker = 0xFFFE;
constexpr std::uint32_t kTime64Marker = 0x8000000A;
constexpr std::size_t kMaxClassNameLength = 63;
// Class indexes must fit the 31 bits below kBigClassTag.
constexpr std::uint32_t kMaxIndex = 0x7FFFFFFF;

// The reference of a tag other than the new-class tag, in the 32-bit form: kBigClassTag set for a
// class, the index below it. A 16-bit tag carries the class flag in its top bit.
std::uint32_t ReadReference(BasicByteReader<ArchiveError>& in, std::uint16_t tag) {
  return tag == kBigObjectTag ? in.U32()
                              : (static_cast<std::uint32_t>(tag & kClassTag) << 16) | (tag & 0x7FFF);
}

// A class name as it may appear in a message: bytes outside printable ASCII become '?'.
std::string Printable(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (std::uint8_t b : bytes) text.push_back(b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '?');
  return text;
}

// Restores the loading state of the enclosing object when a nested object is done or fails.
class NestingScope {
 public:
  NestingScope(std::uint16_t& schema, int& depth, std::uint16_t nestedSchema)
      : schema_(schema), depth_(depth), savedSchema_(schema) {
    schema_ = nestedSchema;
    ++depth_;
  }
  ~NestingScope() {
    schema_ = savedSchema_;
    --depth_;
  }
  NestingScope(const NestingScope&) = delete;
  NestingScope& operator=(const NestingScope&) = delete;

 private:
  std::uint16_t& schema_;
  int& depth_;
  std::uint16_t savedSchema_;
};
}

void ClassRegistry::Register(ClassInfo info) {
  std::string name = info.name;
  classes_.insert_or_assign(std::move(name), std::move(info));
}

const ClassInfo* ClassRegistry::Find(std::string_view name) const {
  auto it = classes_.find(name);
  return it == classes_.end() ? nullptr : &it->second;
}

CArchive::CArchive(std::vector<std::uint8_t>& out, ArchiveContext* context)
    : out_(&out), outStart_(out.size()), context_(context) {}

CArchive::CArchive(std::span<const std::uint8_t> data, const ClassRegistry& registry, ArchiveContext* context)
    : in_(data), registry_(&registry), context_(context), loaded_(1) {}

std::size_t CArchive::Offset() const {
  return IsStoring() ? out_->size() - outStart_ : in_.Offset();
}

bool CArchive::AtEnd() const {
  return IsStoring() || in_.AtEnd();
}

std::size_t CArchive::Remaining() const {
  return IsStoring() ? 0 : in_.Remaining();
}

// ---- storing ----

void CArchive::Append(std::uint64_t v, int bytes) {
  std::uint8_t little[8];
  for (int i = 0; i < bytes; ++i) little[i] = static_cast<std::uint8_t>(v >> (8 * i));
  out_->insert(out_->end(), little, little + bytes);
}

void CArchive::WriteU8(std::uint8_t v) {
  out_->push_back(v);
}
void CArchive::WriteU16(std::uint16_t v) {
  Append(v, 2);
}
void CArchive::WriteI32(std::int32_t v) {
  Append(static_cast<std::uint32_t>(v), 4);
}
void CArchive::WriteU32(std::uint32_t v) {
  Append(v, 4);
}
void CArchive::WriteFloat(float v) {
  Append(std::bit_cast<std::uint32_t>(v), 4);
}
void CArchive::WriteDouble(double v) {
  Append(std::bit_cast<std::uint64_t>(v), 8);
}

void CArchive::WriteTime(TimeValue v) {
  // The 32-bit form cannot carry the marker's own value, so that value takes the long form too.
  const bool fits32 =
      v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
  if (fits32 && static_cast<std::uint32_t>(v) != kTime64Marker) {
    WriteI32(static_cast<std::int32_t>(v));
  } else {
    WriteU32(kTime64Marker);
    Append(static_cast<std::uint64_t>(v), 8);
  }
}

void CArchive::WriteCount(std::uint32_t n) {
  if (n < 0xFFFF) {
    WriteU16(static_cast<std::uint16_t>(n));
  } else {
    WriteU16(0xFFFF);
    WriteU32(n);
  }
}

void CArchive::WriteString(std::string_view s) {
  const std::size_t n = s.size();
  if (n < 0xFF) {
    WriteU8(static_cast<std::uint8_t>(n));
  } else if (n <= 0xFFFD) {
    // 0xFFFE would read as the marker of 16-bit characters, 0xFFFF as the 32-bit escape.
    WriteU8(0xFF);
    WriteU16(static_cast<std::uint16_t>(n));
  } else {
    // A reader takes the 32-bit value 0xFFFFFFFF as the escape to a 64-bit length.
    if (n >= 0xFFFFFFFF)
      throw ArchiveError("a string of " + std::to_string(n) + " bytes is too long to store");
    WriteU8(0xFF);
    WriteU16(0xFFFF);
    WriteU32(static_cast<std::uint32_t>(n));
  }
  out_->insert(out_->end(), s.begin(), s.end());
}

void CArchive::WriteBytes(std::span<const std::uint8_t> bytes) {
  out_->insert(out_->end(), bytes.begin(), bytes.end());
}

std::uint32_t CArchive::TakeStoreIndex() {
  if (nextIndex_ > kMaxIndex) throw ArchiveError("too many objects for one archive");
  return nextIndex_++;
}

void CArchive::WriteObject(const CObject* obj) {
  if (obj == nullptr) {
    WriteU16(kNullTag);
    return;
  }
  const std::string_view name = obj->ClassName();
  auto known = storedClasses_.find(name);
  if (known == storedClasses_.end()) {
    if (name.size() > kMaxClassNameLength)
      throw ArchiveError("class name \"" + std::string(name) + "\" is 64 bytes or longer");
    WriteU16(kNewClassTag);
    WriteU16(obj->Schema());
    WriteU16(static_cast<std::uint16_t>(name.size()));
    out_->insert(out_->end(), name.begin(), name.end());
    storedClasses_.emplace(name, TakeStoreIndex());
  } else if (known->second < kBigObjectTag) {
    WriteU16(static_cast<std::uint16_t>(kClassTag | known->second));
  } else {
    WriteU16(kBigObjectTag);
    WriteU32(kBigClassTag | known->second);
  }
  TakeStoreIndex();
  // Serialize is one operation for both directions; when storing it only reads the object.
  const_cast<CObject*>(obj)->Serialize(*this);
}

// ---- loading ----

std::uint8_t CArchive::ReadU8() {
  return in_.U8();
}
std::uint16_t CArchive::ReadU16() {
  return in_.U16();
}
std::int32_t CArchive::ReadI32() {
  return in_.I32();
}
std::uint32_t CArchive::ReadU32() {
  return in_.U32();
}
float CArchive::ReadFloat() {
  return in_.Float();
}
double CArchive::ReadDouble() {
  return in_.Double();
}

TimeValue CArchive::ReadTime() {
  const std::uint32_t v = in_.U32();
  if (v == kTime64Marker) return in_.I64();
  return static_cast<std::int32_t>(v);
}

std::uint32_t CArchive::ReadCount() {
  const std::uint16_t n = in_.U16();
  return n == 0xFFFF ? in_.U32() : n;
}

std::uint32_t CArchive::ReadCount(std::size_t minBytesEach) {
  const std::size_t start = in_.Offset();
  const std::uint32_t n = ReadCount();
  if (minBytesEach != 0 && n > in_.Remaining() / minBytesEach)
    in_.FailAt(start, "a count of " + std::to_string(n) + " elements of at least " +
                          std::to_string(minBytesEach) + " bytes each, but only " +
                          std::to_string(in_.Remaining()) + " bytes remain");
  return n;
}

std::uint32_t CArchive::ReadStringLength(bool& wide) {
  wide = false;
  std::uint8_t shortLength = in_.U8();
  if (shortLength < 0xFF) return shortLength;
  std::uint16_t length = in_.U16();
  if (length == kWideStringMarker) {
    // The prefix starts again; a second 0xFFFE is a plain length, so the marker cannot repeat.
    wide = true;
    shortLength = in_.U8();
    if (shortLength < 0xFF) return shortLength;
    length = in_.U16();
  }
  if (length < 0xFFFF) return length;
  return in_.U32();
}

std::string CArchive::ReadString() {
  const std::size_t start = in_.Offset();
  bool wide = false;
  const std::uint32_t length = ReadStringLength(wide);
  const std::uint64_t bytes = wide ? 2 * static_cast<std::uint64_t>(length) : length;
  if (bytes > in_.Remaining())
    in_.FailAt(start, "a string of " + std::to_string(length) + (wide ? " 16-bit" : " 8-bit") +
                          " characters needs " + std::to_string(bytes) + " bytes, " +
                          std::to_string(in_.Remaining()) + " remain");
  auto text = in_.Bytes(static_cast<std::size_t>(bytes));
  if (wide) return Utf16LeToWindows1252(text);
  return std::string(text.begin(), text.end());
}

void CArchive::ReadBytes(std::span<std::uint8_t> bytes) {
  auto source = in_.Bytes(bytes.size());
  if (!bytes.empty()) std::memcpy(bytes.data(), source.data(), bytes.size());
}

std::uint32_t CArchive::ReadTag(std::string_view expectedClass) {
  const std::size_t tagOffset = in_.Offset();
  const std::uint16_t tag = in_.U16();
  std::uint32_t classIndex = 0;
  if (tag == kNewClassTag) {
    const std::uint16_t schema = in_.U16();
    const std::uint16_t nameLength = in_.U16();
    if (nameLength > kMaxClassNameLength)
      in_.FailAt(tagOffset, "class name of " + std::to_string(nameLength) + " bytes, expected fewer than 64");
    auto nameBytes = in_.Bytes(nameLength, "the class name");
    const std::string_view name(reinterpret_cast<const char*>(nameBytes.data()), nameBytes.size());
    const ClassInfo* cls = registry_->Find(name);
    if (cls == nullptr) in_.FailAt(tagOffset, "unknown class name \"" + Printable(nameBytes) + "\"");
    if (!cls->anySchema && schema != cls->schema)
      in_.FailAt(tagOffset, "class " + cls->name + " has schema " + std::to_string(schema) + ", expected " +
                                std::to_string(cls->schema));
    classIndex = static_cast<std::uint32_t>(loaded_.size());
    loaded_.push_back({cls, schema, true});
  } else {
    const std::uint32_t ref = ReadReference(in_, tag);
    const std::uint32_t index = ref & ~kBigClassTag;
    const bool known = index != 0 && index < loaded_.size();
    if ((ref & kBigClassTag) != 0) {
      if (!known)
        in_.FailAt(tagOffset, "class index " + std::to_string(index) + " names no class read so far");
      if (!loaded_[index].isClass)
        in_.FailAt(tagOffset, "index " + std::to_string(index) + " names an object, expected a class");
      classIndex = index;
    } else if (index == 0) {
      return 0;
    } else if (!known) {
      in_.FailAt(tagOffset, "object index " + std::to_string(index) + " names nothing read so far");
    } else if (loaded_[index].isClass) {
      in_.FailAt(tagOffset, "index " + std::to_string(index) + " names a class, expected an object");
    } else {
      // The format allows a second reference to an object, but these files store each object
      // once and the caller takes ownership of what it reads: a second owner cannot be handed out.
      in_.FailAt(tagOffset, "reference to object " + std::to_string(index) + ", which was read already");
    }
  }
  const ClassInfo& cls = *loaded_[classIndex].cls;
  if (!expectedClass.empty() && cls.name != expectedClass)
    in_.FailAt(tagOffset, "object of class " + cls.name + ", expected " + std::string(expectedClass));
  if (depth_ >= kMaxObjectDepth)
    in_.FailAt(tagOffset, "objects nested deeper than " + std::to_string(kMaxObjectDepth) + " levels");
  return classIndex;
}

std::string CArchive::PeekClassName() const {
  BasicByteReader<ArchiveError> peek = in_;
  try {
    const std::uint16_t tag = peek.U16();
    if (tag == kNewClassTag) {
      peek.U16();  // schema
      const std::uint16_t nameLength = peek.U16();
      const auto name = peek.Bytes(nameLength);
      return std::string(name.begin(), name.end());
    }
    const std::uint32_t ref = ReadReference(peek, tag);
    const std::uint32_t index = ref & ~kBigClassTag;
    if ((ref & kBigClassTag) == 0 || index == 0 || index >= loaded_.size() || !loaded_[index].isClass)
      return {};
    return loaded_[index].cls->name;
  } catch (const ArchiveError&) {
    return {};
  }
}

std::unique_ptr<CObject> CArchive::ReadObject() {
  return ReadObject(std::string_view{});
}

std::unique_ptr<CObject> CArchive::ReadObject(std::string_view expectedClass) {
  const std::uint32_t classIndex = ReadTag(expectedClass);
  if (classIndex == 0) return nullptr;
  const LoadedEntry entry = loaded_[classIndex];
  std::unique_ptr<CObject> obj = entry.cls->create ? entry.cls->create(context_) : nullptr;
  if (obj == nullptr)
    throw ArchiveError("class " + entry.cls->name + " is registered without a way to create it");
  loaded_.push_back({entry.cls, entry.schema, false});
  NestingScope scope(loadedSchema_, depth_, entry.schema);
  obj->Serialize(*this);
  return obj;
}

}
