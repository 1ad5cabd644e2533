#pragma once
// Registrations of new fleet planes, made from their country's registration patterns.
//
// A pattern is expanded left to right: every '!' becomes a digit ('0' + draw % 10), every '.' a
// capital letter ('A' + draw % 26), every other character is copied. A country's patternCount says
// how the pattern is chosen:
//   -1     exactly 11 patterns, the one of the aircraft's class (RegistrationPatternIndex), no draw;
//   1..11  one draw % patternCount picks among the first patternCount patterns;
//   0      (or anything else that puts no pattern in use) one draw % 3 among the three patterns of
//          a new country, "N!!!!!", "N!!!!." and "N!!!..".
// Every draw comes from the traffic run's random sequence, in the order given here.
#include <optional>
#include <string>
#include <string_view>

#include "platform/crt_random.h"
#include "world/aircraft.h"
#include "world/plane.h"
#include "world/region.h"
#include "world/string_map.h"

namespace wf {

// How many expansions of one pattern are tried before a registration is given up as exhausted.
inline constexpr int kMaxRegistrationExpansions = 10000;

// The pattern slot (0..10) for an aircraft of this model when its country chooses by class:
// no engines 10; helicopter turbine (engine type 3) 7; above 20000 kg 6; from 14000 kg 5; from
// 5700 kg 4; from 2000 kg 3 with more than one engine, else 1; below 2000 kg 2 with more than one
// engine, else 0. Slots 8 and 9 are never chosen.
int RegistrationPatternIndex(const CAircraft& model);

// Replaces `registration` with an expansion of `pattern`, one draw per wildcard.
void ExpandRegistrationPattern(std::string_view pattern, Random& random, std::string& registration);

// A registration for a new plane of `model` based in `country` (null: the patterns of a new
// country) that is not a key of `taken`. The pattern is chosen once, then expanded again with fresh
// draws while the result is taken, at most kMaxRegistrationExpansions times. Nothing when every
// expansion was taken or the pattern is empty (an empty text is no registration); a pattern without
// wildcards is expanded once, since every further expansion would give the same text.
std::optional<std::string> MakeRegistration(const CCountry* country, const CAircraft& model,
                                            const StringMap<CPlane>& taken, Random& random);

}
