#include "scenery/airport_bgl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string_view>

#include "geo/sun_times.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"

namespace wf {

namespace {

constexpr std::uint32_t kBglMagic = 0x19920201;
constexpr std::uint32_t kHeaderSize = 56;
constexpr std::uint32_t kAirportSectionType = 3;
constexpr std::uint32_t kLinkBlockFlags = 3;
constexpr std::uint32_t kNameListTag = 0x27;
constexpr std::size_t kNameListHeaderSize = 42;
constexpr std::size_t kIcaoEntrySize = 20;
constexpr std::size_t kSectionEntryRead = 16;
// The header and the first section entry: all that the first two layout checks need.
constexpr std::size_t kLayoutHead = kHeaderSize + kSectionEntryRead;

constexpr std::size_t kRecordHeaderSize = 6;
constexpr std::size_t kAirportFixedPart = 56;

constexpr std::uint16_t kRunway = 0x04;
constexpr std::uint16_t kFirstApproachLightChild = 0x0B;
constexpr std::uint16_t kLastApproachLightChild = 0x0E;
constexpr std::uint16_t kCom = 0x12;
constexpr std::uint16_t kParkingList = 0x1B;
constexpr std::uint16_t kParkingSpaceList = 0x3D;

constexpr std::size_t kRunwayMinSize = 52;
constexpr std::size_t kRunwayChildMinSize = 8;
constexpr std::size_t kComMinSize = 12;
constexpr std::size_t kParkingListMinSize = 44;
constexpr std::size_t kParkingEntryFixedSize = 36;

constexpr std::uint16_t kClosedRunwayEnds = 0x0600;
constexpr std::uint16_t kUnknownSurface = 0xFE;

constexpr std::uint16_t kComMulticom = 2;
constexpr std::uint16_t kComUnicom = 3;
constexpr std::uint16_t kComTower = 6;
constexpr std::uint16_t kComApproach = 8;
constexpr std::uint16_t kComDeparture = 9;
constexpr std::uint16_t kComFlightService = 11;

constexpr std::size_t kNameBytes = 48;  // a name is read into 49 bytes with its terminating NUL

constexpr std::string_view kIdentAlphabet = " -0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

constexpr std::array<std::string_view, 9> kMilitaryNameParts = {"AFB", "Navy", "Army", "RNAS", "RAF",
                                                                "NAS", "AAF",  "Mil",  "AB"};

// Metres as the whole number the database keeps: truncated toward zero. Values that no 32-bit
// integer holds (NaN, infinities, huge lengths of damaged files) give 0 rather than undefined
// behaviour.
std::int32_t WholeMetres(float metres) {
  if (!(std::fabs(metres) < 2147483648.0f)) return 0;
  return static_cast<std::int32_t>(metres);
}

}

CAirportBGL::CAirportBGL(std::filesystem::path path, const SceneryContext& context)
    : path_(std::move(path)), context_(context) {}

CAirportBGL::CAirportBGL(std::filesystem::path path, std::vector<std::uint8_t> contents,
                         const SceneryContext& context)
    : path_(std::move(path)), context_(context), given_(std::move(contents)) {}

std::string CAirportBGL::DecodeIdent(std::uint32_t packed) {
  std::uint32_t value = packed >> 5;
  std::array<char, 4> digits{};
  for (int i = 3; i >= 0; --i) {
    digits[i] = kIdentAlphabet[value % 38];
    value /= 38;
  }
  std::string ident;
  for (char c : digits)
    if (c != ' ') ident += c;
  return ident;
}

LatLon CAirportBGL::DecodeLatLon(std::uint32_t packedLongitude, std::uint32_t packedLatitude) {
  LatLon position;
  position.longitude = packedLongitude * 360.0 / 805306368.0 - 180.0;
  position.latitude = 90.0 - packedLatitude * 180.0 / 536870912.0;
  return position;
}

TimeValue CAirportBGL::FileTimeToStamp(std::uint64_t fileTime) {
  // Windows refuses FILETIMEs with the top bit set; they cannot be converted.
  if (fileTime >= (std::uint64_t{1} << 63)) return 0;
  const std::int64_t seconds =
      static_cast<std::int64_t>(fileTime / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970;
  const CalendarFields fields = SplitTime(seconds);
  if (fields.year < 1900) return 0;
  const TimeValue stamp =
      MakeTime(fields.year, fields.month, fields.day, fields.hour, fields.minute, fields.second);
  return stamp == kInvalidTime ? 0 : stamp;
}

bool CAirportBGL::IsMilitaryName(const std::string& name) {
  return std::any_of(kMilitaryNameParts.begin(), kMilitaryNameParts.end(),
                     [&](std::string_view part) { return name.find(part) != std::string::npos; });
}

std::string CAirportBGL::SeekErrorMessage(std::uint64_t lastSeekPosition, const std::string& fileName) {
  return "Seek error at " + std::to_string(lastSeekPosition) + " in File " + fileName +
         "\nPlease report the filename to <" + kProblemReportContact + ">";
}

std::string CAirportBGL::FileName() const {
  return PathUtf8(path_);
}

void CAirportBGL::Report(const std::string& message) {
  result_.errors.push_back(message);
  context_.prompter.Message(message, MessageIcon::kWarning);
}

void CAirportBGL::LoadFile(std::size_t limit) {
  if (given_) {
    bytes_ = *given_;
  } else {
    // Regular files only: a pipe by a scenery file's name would block the scan for good.
    FileReadFailure failure;
    if (!ReadFileHead(path_, limit, *buffer_, &failure))
      throw FileError("Cannot open " + FileName() + (failure.missing ? "" : ": " + failure.reason));
    bytes_ = *buffer_;
  }
  in_ = ByteReader(bytes_);
}

void CAirportBGL::SeekTo(std::int64_t position) {
  if (position < 0 || static_cast<std::uint64_t>(position) > bytes_.size())
    throw FileError(SeekErrorMessage(lastSeekPosition_, FileName()));
  in_.Seek(static_cast<std::size_t>(position));
  lastSeekPosition_ = static_cast<std::uint64_t>(position);
}

BglReadResult CAirportBGL::Read() {
  result_ = {};
  created_.clear();
  cityNodes_.clear();
  updated_.clear();
  lastIdent_.clear();
  lastSeekPosition_ = 0;
  context_.progress.SetText("Read and process " + PathUtf8(path_.filename()));
  try {
    // Most scenery files are not airport files, and many are large: look at the head first.
    LoadFile(kLayoutHead);
    if (ReadHead()) {
      if (!given_) LoadFile(std::numeric_limits<std::size_t>::max());
      // The head is read again from the whole file, in case the file changed in between.
      if (ReadHead() && ReadLinks()) {
        result_.status = BglReadStatus::kRead;
        result_.airportFile = true;
        ReadNameEntries();
        SeekTo(firstRecord_);
        for (std::uint32_t i = 0; i < icaoCount_; ++i) ReadAirportRecord();
      }
    }
  } catch (const FileError& e) {
    Report(e.what());
  } catch (const FormatError& e) {
    Report(FileName() + ": " + e.what());
  } catch (const std::exception& e) {
    Report(std::string(e.what()) + (lastIdent_.empty() ? "" : " " + lastIdent_));
  }
  if (!result_.errors.empty()) result_.status = BglReadStatus::kError;
  bytes_ = {};
  in_ = ByteReader();
  data_.clear();
  data_.shrink_to_fit();
  return result_;
}

// The header and the first section entry. False when the file is not an airport file; a file that
// starts like a BGL file but ends within them is an error.
bool CAirportBGL::ReadHead() {
  if (bytes_.size() >= 8) {
    in_.Seek(0);
    const std::uint32_t magic = in_.U32();
    const std::uint32_t headerSize = in_.U32();
    if (magic != kBglMagic || headerSize != kHeaderSize) return false;
  }
  if (bytes_.size() < kHeaderSize)
    in_.FailAt(0, "the file header needs 56 bytes, the file has " + std::to_string(bytes_.size()));
  // A file without sections (such as the traffic file a compiler stand-in writes) holds no airports.
  in_.Seek(20);
  if (in_.U32() == 0) return false;
  if (bytes_.size() < kLayoutHead)
    in_.FailAt(kHeaderSize, "the first section entry needs 16 bytes, the file ends at " + Hex(bytes_.size()));
  in_.Seek(8);
  fileStamp_ = FileTimeToStamp(in_.U64());
  in_.Seek(kHeaderSize);
  const std::uint32_t sectionType = in_.U32();
  in_.Skip(8);
  airportSubsectionTable_ = in_.U32();  // S
  return sectionType == kAirportSectionType;
}

// The link block, the subsection entries and the name list header. False when the file is not an
// airport file.
bool CAirportBGL::ReadLinks() {
  SeekTo(static_cast<std::int64_t>(airportSubsectionTable_) - 16);
  const std::uint32_t linkFlags = in_.U32();
  in_.Skip(4);
  const std::uint32_t nameListTable = in_.U32();  // P
  in_.Skip(4);
  if (linkFlags != kLinkBlockFlags) return false;
  in_.Skip(8);
  firstRecord_ = in_.U32();  // R
  SeekTo(nameListTable);
  in_.Skip(8);
  const std::uint32_t nameList = in_.U32();  // Q

  SeekTo(nameList);
  if (in_.Remaining() < kNameListHeaderSize)
    in_.Fail("the name list header needs 42 bytes, " + std::to_string(in_.Remaining()) + " remain");
  if (in_.U32() != kNameListTag) return false;
  in_.Skip(2);
  std::array<std::uint16_t, kNameListCount> counts{};
  for (auto& count : counts) count = in_.U16();
  icaoCount_ = in_.U16();
  for (std::size_t i = 0; i < counts.size(); ++i) {
    nameLists_[i].start = std::uint64_t{nameList} + in_.U32();
    nameLists_[i].count = counts[i];
  }
  icaoList_ = std::uint64_t{nameList} + in_.U32();
  return true;
}

std::string CAirportBGL::ReadName(const NameList& list, std::size_t index) const {
  // An index beyond the list names nothing; damaged files have them, and reading on would take a
  // string offset from whatever follows the list.
  if (index >= list.count) return {};
  const std::uint64_t slot = list.start + 4 * std::uint64_t{index};
  if (slot > bytes_.size() || bytes_.size() - slot < 4)
    in_.FailAt(static_cast<std::size_t>(std::min<std::uint64_t>(slot, bytes_.size())),
               "name offset " + std::to_string(index) + " of a name list lies outside the file");
  ByteReader slotReader(bytes_);
  slotReader.Seek(static_cast<std::size_t>(slot));
  const std::uint64_t text = list.start + 4 * std::uint64_t{list.count} + slotReader.U32();
  if (text >= bytes_.size())
    in_.FailAt(static_cast<std::size_t>(slot), "name at " + Hex(text) + " lies outside the file");
  const std::size_t available = bytes_.size() - static_cast<std::size_t>(text);
  const auto* begin = bytes_.data() + text;
  const auto* end = begin + std::min(available, kNameBytes);
  const auto* nul = std::find(begin, end, std::uint8_t{0});
  if (nul == end && available < kNameBytes)
    in_.FailAt(static_cast<std::size_t>(text), "name runs past the end of the file");
  return std::string(begin, nul);
}

void CAirportBGL::ReadNameEntries() {
  enum { kRegion, kCountry, kState, kCity, kAirportName };
  for (std::uint32_t i = 0; i < icaoCount_; ++i) {
    const std::uint64_t entry = icaoList_ + kIcaoEntrySize * std::uint64_t{i};
    if (entry > bytes_.size() || bytes_.size() - entry < kIcaoEntrySize)
      in_.FailAt(static_cast<std::size_t>(std::min<std::uint64_t>(entry, bytes_.size())),
                 "ICAO entry " + std::to_string(i) + " of " + std::to_string(icaoCount_) + " at " +
                     Hex(entry) + " lies outside the file");
    in_.Seek(static_cast<std::size_t>(entry));
    const std::uint8_t regionIndex = in_.U8();
    const std::uint8_t countryIndex = in_.U8();
    const std::uint8_t stateIndex = in_.U8() >> 4;
    in_.Skip(1);
    const std::uint16_t cityIndex = in_.U16();
    const std::uint16_t airportNameIndex = in_.U16();
    const std::string ident = DecodeIdent(in_.U32());
    lastIdent_ = ident;

    // Many airports share a city: its node is looked up by name once per file.
    const std::uint64_t cityKey = std::uint64_t{regionIndex} << 40 | std::uint64_t{countryIndex} << 32 |
                                  std::uint64_t{stateIndex} << 16 | cityIndex;
    CCity*& cityNode = cityNodes_[cityKey];
    if (cityNode == nullptr) {
      cityNode =
          &FindOrCreateCity(context_.world, ReadName(nameLists_[kRegion], regionIndex),
                            ReadName(nameLists_[kCountry], countryIndex),
                            ReadName(nameLists_[kState], stateIndex), ReadName(nameLists_[kCity], cityIndex));
    }
    const bool existed = cityNode->airports.Find(ident) != nullptr;
    CAirport* airport = FindOrCreateAirportIn(context_.world, *cityNode, ident, fileStamp_);
    if (!existed && created_.insert(airport).second) result_.added.push_back(airport);

    airport->name = ReadName(nameLists_[kAirportName], airportNameIndex);
  }
}

int CAirportBGL::ReadAirportRecord() {
  const std::size_t start = in_.Offset();
  in_.U16();
  const std::uint32_t size = in_.U32();
  if (size < kRecordHeaderSize)
    in_.FailAt(start, "airport record of size " + std::to_string(size) + " is below its 6-byte header");
  if (size - kRecordHeaderSize > in_.Remaining())
    in_.FailAt(start, "airport record of size " + std::to_string(size) +
                          " runs past the end of the file at " + Hex(in_.Size()));
  const std::size_t end = start + size;
  in_.Seek(end);  // the next record follows without a gap, whatever becomes of this one

  if (size < kAirportFixedPart) {
    Report(FileName() + ": offset " + Hex(start) + ": airport record of " + std::to_string(size) +
           " bytes is shorter than its 56-byte fixed part");
    return 0;
  }
  ByteReader record(bytes_.first(end));
  record.Seek(start + 40);
  const std::string ident = DecodeIdent(record.U32());
  lastIdent_ = ident;
  CAirport* airport = context_.world.airportIndex.Find(ident);
  if (airport == nullptr) return 0;
  // An older file never overrides the data of a newer one.
  if (airport->sceneryFileTime > fileStamp_) return 0;
  airport->sceneryFileTime = fileStamp_;
  // A second read of the airport (a newer file, or the same file reached twice) replaces what the
  // earlier read gave, rather than adding to it.
  airport->ClearSceneryFacts();

  record.Seek(start + 12);
  const std::uint32_t packedLongitude = record.U32();
  const std::uint32_t packedLatitude = record.U32();
  const LatLon position = DecodeLatLon(packedLongitude, packedLatitude);
  airport->latitude = position.latitude;
  airport->longitude = position.longitude;
  airport->sunrise = SunriseTime(context_.settings.startDate, position.latitude, position.longitude);
  airport->sunset = SunsetTime(context_.settings.startDate, position.latitude, position.longitude);
  airport->altitude = record.I32() / 1000.0;
  record.Seek(start + 36);
  airport->magVar = record.Float();
  record.Seek(start + 48);
  airport->fuelFlags = record.U32();

  try {
    ReadSubRecords(*airport, start + kAirportFixedPart, end);
  } catch (const FormatError& e) {
    Report(FileName() + ": " + e.what() + " " + ident);
  } catch (const std::exception& e) {
    Report(std::string(e.what()) + " " + ident);
  }

  // A fee the user fixed stays; the fee assignment keeps it too.
  if (airport->feeSetByUser == 0) airport->landingFee = airport->NormalLandingFee(context_.settings);
  // An airport that was in the database before this scan keeps whether it is used and whether it is
  // military, as the Airports page left them; a new one starts used, military by its name.
  if (created_.contains(airport)) {
    airport->useAirport = 1;
    airport->military = IsMilitaryName(airport->name) ? 1 : 0;
  }
  if (!created_.contains(airport) && updated_.insert(airport).second) result_.updated.push_back(airport);
  return 1;
}

namespace {

// The sub-record at `position` of a walk that ends at `end`: its id and size, or nothing when its
// 6-byte header does not fit before `end` (the walk has passed the end of its record).
struct SubRecordHeader {
  std::uint16_t id = 0;
  std::uint32_t size = 0;
};

std::optional<SubRecordHeader> SubRecordAt(ByteReader& in, std::size_t position, std::size_t end) {
  if (position > end || end - position < kRecordHeaderSize) return std::nullopt;
  in.Seek(position);
  SubRecordHeader header;
  header.id = in.U16();
  header.size = in.U32();
  return header;
}

}

// Scenery tools write sub-record sizes that do not always add up: a sub-record is read when the
// bytes its fields need lie inside the record, whatever size it declares, and the walk moves on by
// the declared size. Size 0 ends the walk, and so does a size that leads past the record's end.
// `in` ends at the record's end, so no read can leave the record.
void CAirportBGL::ReadSubRecords(CAirport& airport, std::size_t begin, std::size_t end) {
  ByteReader in(bytes_.first(end));
  std::size_t position = begin;
  while (const std::optional<SubRecordHeader> header = SubRecordAt(in, position, end)) {
    if (header->size == 0) return;
    const std::size_t room = end - position;
    const std::size_t size = std::min<std::size_t>(header->size, room);
    switch (header->id) {
      case kRunway:
        if (room >= kRunwayMinSize) ReadRunway(airport, in, position, size);
        break;
      case kCom:
        if (room >= kComMinSize) ReadCom(airport, in, position);
        break;
      case kParkingList:
      case kParkingSpaceList:
        if (room >= kParkingListMinSize)
          ReadParkingList(airport, in, position, size, header->id == kParkingSpaceList);
        break;
      default:
        break;
    }
    if (header->size > room) return;
    position += header->size;
  }
}

void CAirportBGL::ReadRunway(CAirport& airport, ByteReader& in, std::size_t start, std::size_t size) {
  in.Seek(start + 6);
  const std::uint16_t surface = in.U16();
  in.Seek(start + 12);
  const std::uint32_t primaryIls = in.U32();
  const std::uint32_t secondaryIls = in.U32();
  in.Seek(start + 32);
  const std::int32_t length = WholeMetres(in.Float());
  const std::int32_t width = WholeMetres(in.Float());
  in.Seek(start + 48);
  const std::uint16_t markings = in.U16();
  const std::uint8_t lighting = in.U8();

  if ((markings & kClosedRunwayEnds) == 0) {
    ++airport.runwayCount;
    airport.runways.push_back(CRunway{surface, length, width});
    if (length > 0 && static_cast<std::uint32_t>(length) > airport.longestRunway)
      airport.longestRunway = static_cast<std::uint32_t>(length);
    if (surface != kUnknownSurface) airport.surfaceMask |= 1u << (surface % 32);
    if (primaryIls != 0 || secondaryIls != 0) airport.hasILS = 1;
    airport.runwayLights += lighting;
  }

  // Children of closed runways count too: their approach aids are still in the scenery. The
  // children are walked by the same rules as the runway's own walk, up to the runway's end.
  const std::size_t end = start + size;
  std::size_t position = start + kRunwayMinSize;
  while (const std::optional<SubRecordHeader> child = SubRecordAt(in, position, end)) {
    if (child->size == 0) return;
    if (child->id >= kFirstApproachLightChild && child->id <= kLastApproachLightChild &&
        in.Size() - position >= kRunwayChildMinSize) {
      in.Seek(position + 6);
      airport.approachLights = in.U16();
    }
    if (child->size > end - position) return;
    position += child->size;
  }
}

void CAirportBGL::ReadCom(CAirport& airport, ByteReader& in, std::size_t start) {
  in.Seek(start + 6);
  const std::uint16_t type = in.U16();
  const std::uint32_t frequency = in.U32();
  if (type == kComApproach || type == kComDeparture) ++airport.approachComCount;
  airport.comTypeMask =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(airport.comTypeMask) | 1u << (type % 32));
  // A tower frequency always wins; among unicom, multicom and flight service the first one does.
  if (airport.towerFrequency == 0 &&
      (type == kComUnicom || type == kComMulticom || type == kComFlightService)) {
    airport.towerFrequency = frequency;
  } else if (type == kComTower) {
    airport.towerFrequency = frequency;
    airport.airspaceClass = 'D';
  }
}

void CAirportBGL::ReadParkingList(CAirport& airport, ByteReader& in, std::size_t start, std::size_t size,
                                  bool storeSpaces) {
  in.Seek(start + 6);
  const std::uint16_t count = in.U16();
  const std::size_t end = start + size;
  std::size_t position = start + 8;
  for (std::uint16_t i = 0; i < count && end - position >= kParkingEntryFixedSize; ++i) {
    in.Seek(position);
    in.Skip(1);
    const ParkingType type{in.U8() & 0x0F};
    in.Skip(1);
    const std::uint8_t airlineCodes = in.U8();
    const double radius = in.Float();
    const std::size_t entrySize = kParkingEntryFixedSize + 4 * std::size_t{airlineCodes};
    if (entrySize > end - position) break;
    ParkingType counted = type;
    if (storeSpaces) {
      airport.parkingSpaces.push_back(CParkingSpace{type, radius});
      if (type == ParkingType::kFuel) counted = ParkingType::kRampGa;
    }
    if (Code(counted) < kParkingTypeCount) ++airport.ParkingCount(counted);
    position += entrySize;
  }
}

}
