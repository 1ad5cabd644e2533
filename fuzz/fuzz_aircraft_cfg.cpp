// Reads arbitrary text as an aircraft.cfg: the values, the record derived from them, the sim line
// and the variations. None may crash, overflow or hang, and the derived probability stays a weight
// from 0 to 100.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "aircraft/aircraft_cfg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  wf::NullProgress progress;
  const auto model = wf::DeriveAircraft(wf::ReadAircraftCfgValues(text, progress), wf::Settings(), "Fuzz",
                                        "/sim/SimObjects/Airplanes/Fuzz");
  if (!(model->probability >= 0.0f && model->probability <= 100.0f)) std::abort();
  wf::HasSimLine(text);
  wf::ReadVariationLines(text);
  return 0;
}
