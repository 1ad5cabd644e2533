#include "world/aircraft.h"

#include "geo/units.h"
#include "world/world.h"
#include "world/world_archive.h"

namespace wf {

namespace {

constexpr const char* kMissingModelWarning =
    "Warning, the needed Aircraft is deleted. Please rebuild the data base!";

}

bool IsAICopyName(std::string_view modelName) {
  return modelName.starts_with(kMarker);
}

double FuelPricePerGallon(FuelType fuelType) {
  switch (fuelType) {
    case FuelType::kAvgas:
      return 2.65;
    case FuelType::kJetFuel:
      return 2.54;
    default:
      return 0.0;
  }
}

CAircraft::CAircraft() {
  moneyPerWeek = ComputeMoneyPerWeek();
}

float CAircraft::ComputeMoneyPerWeek() const {
  if (Code(fuelType) <= 0) return 0.0f;
  return static_cast<float>(LitersToGallons(fuelCapacity) * 7 * 10 * FuelPricePerGallon(fuelType));
}

void CAircraft::Serialize(CArchive& ar) {
  const WorldArchiveContext* context = WorldArchiveContext::Of(ar);
  if (ar.IsStoring()) {
    ar.WriteString(name);
    if (context != nullptr) context->ShowProgress("Save aircraft: " + name);
    for (std::int32_t value : {cruiseSpeed, stallSpeed, range, Code(engineType), fuelCapacity, Code(fuelType),
                               emptyWeight, maxWeight, engineCount, wingSpan, ceiling})
      ar.WriteI32(value);
    ar.WriteFloat(probability);
    ar.WriteFloat(moneyPerWeek);
    ar.WriteFloat(fuelFlow);
    for (std::int32_t value : {hasWheels, useForGA, usage, ifr, amphibian, skis, bushPlane})
      ar.WriteI32(value);
    return;
  }

  const int schema = ar.LoadedSchema();
  name = ar.ReadString();
  if (context != nullptr) context->ShowProgress("Load aircraft: " + name);
  for (std::int32_t* field : {&cruiseSpeed, &stallSpeed, &range}) *field = ar.ReadI32();
  engineType = EngineType{ar.ReadI32()};
  fuelCapacity = ar.ReadI32();
  fuelType = FuelType{ar.ReadI32()};
  for (std::int32_t* field : {&emptyWeight, &maxWeight, &engineCount, &wingSpan, &ceiling})
    *field = ar.ReadI32();
  probability = schema >= kAircraftSchemaFloatProbability ? ar.ReadFloat() : static_cast<float>(ar.ReadI32());
  moneyPerWeek = ar.ReadFloat();
  if (schema < kAircraftSchemaKeptMoney) moneyPerWeek = ComputeMoneyPerWeek();
  fuelFlow = ar.ReadFloat();
  for (std::int32_t* field : {&hasWheels, &useForGA, &usage, &ifr}) *field = ar.ReadI32();
  if (schema >= kAircraftSchemaGearKinds) {
    for (std::int32_t* field : {&amphibian, &skis, &bushPlane}) *field = ar.ReadI32();
  }
}

CAI_Aircraft::CAI_Aircraft(std::uint16_t& counter) : number(++counter) {}

CAI_Aircraft::CAI_Aircraft(CAircraft& model, std::uint16_t& counter)
    : usage(model.usage),
      useForGA(model.useForGA),
      probability(model.probability),
      moneyPerWeek(model.moneyPerWeek),
      number(++counter),
      aircraft(&model),
      isAICopy(IsAICopyName(model.name) ? 1 : 0) {}

void CAI_Aircraft::Serialize(CArchive& ar) {
  WorldArchiveContext* context = WorldArchiveContext::Of(ar);
  if (ar.IsStoring()) {
    // A variation whose model is missing has no model name to store; it is stored with an empty
    // one, and reading it back finds no model again.
    ar.WriteString(aircraft != nullptr ? aircraft->name : std::string());
    ar.WriteU16(number);
    ar.WriteString(title);
    if (context != nullptr) context->ShowProgress("Save AI aircraft: " + title);
    ar.WriteFloat(probability);
    ar.WriteI32(useForGA);
    ar.WriteFloat(moneyPerWeek);
    ar.WriteI32(usage);
    ar.WriteI32(percentage);
    return;
  }

  const int schema = ar.LoadedSchema();
  const std::string modelName = ar.ReadString();
  aircraft = context != nullptr ? context->world->aircraftTypes.Find(modelName) : nullptr;
  if (aircraft != nullptr) {
    isAICopy = IsAICopyName(aircraft->name) ? 1 : 0;
  } else if (warningShown == 0) {
    if (context != nullptr && context->prompter != nullptr)
      context->prompter->Message(kMissingModelWarning, MessageIcon::kWarning);
    warningShown = 1;
  }
  ar.ReadU16();  // the stored number; the record keeps the one its construction took
  title = ar.ReadString();
  if (context != nullptr) context->ShowProgress("Load AI aircraft: " + title);
  probability = schema < kAircraftSchemaKeptMoney ? static_cast<float>(ar.ReadU8()) : ar.ReadFloat();
  useForGA = ar.ReadI32();
  moneyPerWeek = ar.ReadFloat();
  if (schema < kAircraftSchemaKeptMoney && aircraft != nullptr)
    moneyPerWeek = aircraft->ComputeMoneyPerWeek();
  usage = ar.ReadI32();
  percentage = ar.ReadI32();
}

}
