#pragma once
// String-keyed maps of records, and their archive form.
//
// Keys are 8-bit strings compared exactly and case-sensitively. Both maps iterate in ascending byte
// order of the key (bytes compared as unsigned values, as std::string compares them), so every
// walk over a map, and so every file written from one, is the same from run to run.
//
// Archive form of a map: the entry count (count encoding), then per entry the key (string) and the
// value (object reference, followed by the object's own data for a new object).
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "archive/archive.h"
#include "archive/byte_reader.h"

namespace wf {

// A map that owns its values. Replacing or erasing a value frees it.
template <class T>
class StringMap {
 public:
  using Container = std::map<std::string, std::unique_ptr<T>, std::less<>>;
  using iterator = typename Container::iterator;
  using const_iterator = typename Container::const_iterator;

  StringMap() = default;
  StringMap(const StringMap&) = delete;
  StringMap& operator=(const StringMap&) = delete;
  StringMap(StringMap&&) noexcept = default;
  StringMap& operator=(StringMap&&) noexcept = default;

  // The value under `key`, or null.
  T* Find(std::string_view key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : it->second.get();
  }

  // Puts `value` under `key` and returns the value that was there before (null if none), so that
  // the caller can drop references to it before it is freed.
  std::unique_ptr<T> Replace(std::string key, std::unique_ptr<T> value) {
    auto it = entries_.find(key);
    if (it == entries_.end()) {
      entries_.emplace(std::move(key), std::move(value));
      return nullptr;
    }
    return std::exchange(it->second, std::move(value));
  }

  // Puts `value` under `key`, freeing an earlier value there; returns the stored value.
  T& Insert(std::string key, std::unique_ptr<T> value) {
    T& stored = *value;
    Replace(std::move(key), std::move(value));
    return stored;
  }

  // Takes the value under `key` out of the map without freeing it; null if absent.
  std::unique_ptr<T> Release(std::string_view key) {
    auto it = entries_.find(key);
    if (it == entries_.end()) return nullptr;
    std::unique_ptr<T> value = std::move(it->second);
    entries_.erase(it);
    return value;
  }

  // Frees the value under `key`; false when there was none.
  bool Erase(std::string_view key) { return Release(key) != nullptr; }

  // Frees every value.
  void Clear() { entries_.clear(); }

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  iterator begin() { return entries_.begin(); }
  iterator end() { return entries_.end(); }
  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }

 private:
  Container entries_;
};

// A map that only refers to values owned elsewhere.
template <class T>
class StringIndex {
 public:
  using Container = std::map<std::string, T*, std::less<>>;
  using const_iterator = typename Container::const_iterator;

  T* Find(std::string_view key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : it->second;
  }

  // Refers `key` to `value`, replacing an earlier reference.
  void Insert(std::string key, T* value) { entries_.insert_or_assign(std::move(key), value); }

  // Removes the reference under `key`; false when there was none.
  bool Erase(std::string_view key) {
    auto it = entries_.find(key);
    if (it == entries_.end()) return false;
    entries_.erase(it);
    return true;
  }

  // Removes the reference under `key` only when it refers to `value`.
  bool EraseIf(std::string_view key, const T* value) {
    auto it = entries_.find(key);
    if (it == entries_.end() || it->second != value) return false;
    entries_.erase(it);
    return true;
  }

  void Clear() { entries_.clear(); }

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }

 private:
  Container entries_;
};

// Writes `map` in its archive form, entries in the map's order.
template <class T>
void SaveStringMap(CArchive& ar, const StringMap<T>& map) {
  ar.WriteCount(static_cast<std::uint32_t>(map.size()));
  for (const auto& [key, value] : map) {
    ar.WriteString(key);
    ar.WriteObject(value.get());
  }
}

// Reads a map in its archive form into `map`. Each entry goes into the map as soon as it has been
// read, replacing an earlier value under the same key; `beforeReplace(old, replacement)` runs
// before the old value is freed, so that references to it can be dropped or moved. A failed read
// throws ArchiveError and leaves the entries completed before it in the map. A value that is null
// or not a T is "a reference of the wrong kind".
template <class T>
void LoadStringMap(CArchive& ar, StringMap<T>& map,
                   const std::function<void(T& old, T& replacement)>& beforeReplace = {}) {
  const std::uint32_t count = ar.ReadCount();
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string key = ar.ReadString();
    const std::size_t valueOffset = ar.Offset();
    std::unique_ptr<CObject> object = ar.ReadObject();
    T* typed = dynamic_cast<T*>(object.get());
    if (typed == nullptr) {
      ar.FailAt(valueOffset,
                "a reference of the wrong kind under key \"" + key + "\" (" +
                    (object ? std::string("class ") + object->ClassName() : std::string("null")) + ")");
    }
    object.release();
    std::unique_ptr<T> value(typed);
    T& stored = *value;
    std::unique_ptr<T> old = map.Replace(std::move(key), std::move(value));
    if (old != nullptr && beforeReplace) beforeReplace(*old, stored);
  }
}

}
