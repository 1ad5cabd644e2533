// Country → region and ISO 3166-2 → state name tables of the demo world.
#include <array>
#include <string_view>

#include "demo_world.h"

namespace wf::demo {
namespace {

struct AreaRow {
  const char* folder;
  const char* region;
  std::string_view countries;  // ISO alpha-2 codes, blank-separated
};

// Hand table: the data set has no continent column. Mexico counts as North America and the Middle
// East as its own region, as the simulator's own areas do.
constexpr std::array<AreaRow, 10> kAreas{{
    {"NAMR", "North America", "US CA MX GL PM BM"},
    {"CAMR", "Central America", "BZ CR SV GT HN NI PA"},
    {"CARB", "Caribbean",
     "AG AI AW BB BL BQ BS CU CW DM DO GD GP HT JM KN KY LC MF MQ MS PR SX TC TT VC VG VI"},
    {"SAMR", "South America", "AR BO BR CL CO EC FK GF GY PE PY SR UY VE GS"},
    {"EURO", "Europe",
     "AD AL AT AX BA BE BG BY CH CY CZ DE DK EE ES FI FO FR GB GG GI GR HR HU IE IM IS IT JE LI LT LU "
     "LV MC MD ME MK MT NL NO PL PT RO RS RU SE SI SJ SK SM UA VA XK"},
    {"MEAS", "Middle East", "AE BH IL IQ IR JO KW LB OM PS QA SA SY TR YE"},
    {"AFRI", "Africa",
     "AO BF BI BJ BW CD CF CG CI CM CV DJ DZ EG EH ER ET GA GH GM GN GQ GW KE KM LR LS LY MA MG ML MR "
     "MU MW MZ NA NE NG RE RW SC SD SH SL SN SO SS ST SZ TD TG TN TZ UG YT ZA ZM ZW"},
    {"ASIA", "Asia",
     "AF AM AZ BD BN BT CN GE HK ID IN IO JP KG KH KP KR KZ LA LK MM MN MO MV MY NP PH PK SG TH TJ TL "
     "TM TW UZ VN"},
    {"OCEN", "Oceania",
     "AS AU CC CK CX FJ FM GU KI MH MP NC NF NR NU NZ PF PG PN PW SB TK TO TV UM VU WF WS"},
    {"ANTA", "Antarctica", "AQ TF HM BV"},
}};

struct StateRow {
  std::string_view code;
  const char* name;
};

constexpr std::array<StateRow, 72> kStates{{
    {"US-AL", "Alabama"},
    {"US-AK", "Alaska"},
    {"US-AZ", "Arizona"},
    {"US-AR", "Arkansas"},
    {"US-CA", "California"},
    {"US-CO", "Colorado"},
    {"US-CT", "Connecticut"},
    {"US-DE", "Delaware"},
    {"US-DC", "District of Columbia"},
    {"US-FL", "Florida"},
    {"US-GA", "Georgia"},
    {"US-HI", "Hawaii"},
    {"US-ID", "Idaho"},
    {"US-IL", "Illinois"},
    {"US-IN", "Indiana"},
    {"US-IA", "Iowa"},
    {"US-KS", "Kansas"},
    {"US-KY", "Kentucky"},
    {"US-LA", "Louisiana"},
    {"US-ME", "Maine"},
    {"US-MD", "Maryland"},
    {"US-MA", "Massachusetts"},
    {"US-MI", "Michigan"},
    {"US-MN", "Minnesota"},
    {"US-MS", "Mississippi"},
    {"US-MO", "Missouri"},
    {"US-MT", "Montana"},
    {"US-NE", "Nebraska"},
    {"US-NV", "Nevada"},
    {"US-NH", "New Hampshire"},
    {"US-NJ", "New Jersey"},
    {"US-NM", "New Mexico"},
    {"US-NY", "New York"},
    {"US-NC", "North Carolina"},
    {"US-ND", "North Dakota"},
    {"US-OH", "Ohio"},
    {"US-OK", "Oklahoma"},
    {"US-OR", "Oregon"},
    {"US-PA", "Pennsylvania"},
    {"US-RI", "Rhode Island"},
    {"US-SC", "South Carolina"},
    {"US-SD", "South Dakota"},
    {"US-TN", "Tennessee"},
    {"US-TX", "Texas"},
    {"US-UT", "Utah"},
    {"US-VT", "Vermont"},
    {"US-VA", "Virginia"},
    {"US-WA", "Washington"},
    {"US-WV", "West Virginia"},
    {"US-WI", "Wisconsin"},
    {"US-WY", "Wyoming"},
    {"CA-AB", "Alberta"},
    {"CA-BC", "British Columbia"},
    {"CA-MB", "Manitoba"},
    {"CA-NB", "New Brunswick"},
    {"CA-NL", "Newfoundland and Labrador"},
    {"CA-NS", "Nova Scotia"},
    {"CA-NT", "Northwest Territories"},
    {"CA-NU", "Nunavut"},
    {"CA-ON", "Ontario"},
    {"CA-PE", "Prince Edward Island"},
    {"CA-QC", "Quebec"},
    {"CA-SK", "Saskatchewan"},
    {"CA-YT", "Yukon"},
    {"AU-ACT", "Australian Capital Territory"},
    {"AU-NSW", "New South Wales"},
    {"AU-NT", "Northern Territory"},
    {"AU-QLD", "Queensland"},
    {"AU-SA", "South Australia"},
    {"AU-TAS", "Tasmania"},
    {"AU-VIC", "Victoria"},
    {"AU-WA", "Western Australia"},
}};

}

Area AreaOfCountry(const std::string& countryCode) {
  if (countryCode.size() == 2) {
    for (const AreaRow& row : kAreas) {
      for (std::size_t at = 0; at + 2 <= row.countries.size(); at += 3) {
        if (row.countries.substr(at, 2) == countryCode) return {row.folder, row.region};
      }
    }
  }
  return {"OTHR", "Other"};
}

std::string StateName(const std::string& isoRegion) {
  for (const StateRow& row : kStates) {
    if (row.code == isoRegion) return row.name;
  }
  return {};
}

}
