#pragma once
// The "Airports" page: the airport database as a tree, World -> country -> (state) -> city ->
// airport (labelled with its name and ident), the facts of the selected node, and four edits: whether
// the world, a country or an airport is used, whether an airport is military, an airport's type and
// its landing fee; a group node shows how many airports lie below it. An applied edit saves the
// airport database at once. The page finds airports by ident, name or city (Search()).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "ui/airport_search.h"
#include "ui/page_tree.h"
#include "ui/sheet_page.h"
#include "world/airport.h"

namespace wf::ui {

// What an Airports tree node carries: nothing for World, else its country, state, city or airport.
using AirportNodeObject = std::variant<std::monostate, CCountry*, CState*, CCity*, CAirport*>;
using AirportTree = PageTree<AirportNodeObject>;

// The airport type named `name` (the type list's names, without regard to case) or given by its
// index "0".."8".
std::optional<int> AirportTypeByName(std::string_view name);
// The type list's names (AirportTypeName), index = type.
extern const char* const kAirportTypeNames[kAirportTypeCount];

// Whether `airport` is used for traffic, as the page's "Use" shows it: the airport and its country.
bool AirportUsed(const CAirport& airport);

class CPAirports final : public SheetPage {
 public:
  explicit CPAirports(Session& session);

  // The page's fields, bound to the members below by Fields().
  static constexpr FieldInfo kCallSign{
      .kind = FieldKind::kText, .name = "m_strCallSign", .label = "Call Sign"};
  static constexpr FieldInfo kICAO{.kind = FieldKind::kText, .name = "m_strICAO", .label = "ICAO"};
  static constexpr FieldInfo kHasIFR{.kind = FieldKind::kCheck, .name = "m_bHasIFR", .label = "has IFR"};
  static constexpr FieldInfo kRunwayType{
      .kind = FieldKind::kText, .name = "m_strRunwayType", .label = "longest Runway type"};
  // World, country, state and city: the airports below the node, and how many of them are used.
  static constexpr FieldInfo kAirportCount{
      .kind = FieldKind::kText, .name = "m_strAirportCount", .label = "Airports below"};
  static constexpr FieldInfo kUse{.kind = FieldKind::kCheck,
                                  .name = "m_bUse",
                                  .label = "Use",
                                  .option = "--use B",
                                  .help = "Use for traffic"};
  static constexpr FieldInfo kMilitary{.kind = FieldKind::kCheck,
                                       .name = "m_bMilitary",
                                       .label = "Military",
                                       .option = "--military B",
                                       .help = "The airport is military (no GA traffic)"};
  static constexpr FieldInfo kType{.kind = FieldKind::kChoice,
                                   .name = "m_comboType",
                                   .label = "Airport type",
                                   .choices = kAirportTypeNames,
                                   .byName = AirportTypeByName,
                                   .option = "--type NAME|INDEX"};
  // "Parking places": counts of the airport's parking types.
  static constexpr FieldInfo kGates{.kind = FieldKind::kText, .name = "m_nGates", .label = "Gates"};
  static constexpr FieldInfo kRamp{.kind = FieldKind::kText, .name = "m_nRamp", .label = "Ramp"};
  static constexpr FieldInfo kCargo{.kind = FieldKind::kText, .name = "m_nCargo", .label = "Cargo"};
  static constexpr FieldInfo kMil{.kind = FieldKind::kText, .name = "m_nMil", .label = "Mil."};
  static constexpr FieldInfo kDock{.kind = FieldKind::kText, .name = "m_nDock", .label = "Dock"};
  static constexpr FieldInfo kTowerFrequency{
      .kind = FieldKind::kText, .name = "m_fTowerFrequency", .label = "Tower Frequency", .unit = "MHz"};
  static constexpr FieldInfo kLandingFee{.kind = FieldKind::kNumber,
                                         .name = "m_fLandingFee",
                                         .label = "Landing fees",
                                         .max = 1000000000,
                                         .option = "--fee AMOUNT",
                                         .help = "Landing fee; a fee below the normal fee is asked about"};

  AirportTree m_tree;
  std::string m_strCallSign;             // a sample registration of the country
  std::string m_strICAO;                 //
  std::int32_t m_bHasIFR = 0;            // ILS and runway lights
  std::string m_strRunwayType = "none";  //
  std::string m_strAirportCount;         // "12 (10 used)"; empty for an airport
  std::int32_t m_bUse = 0;
  std::int32_t m_bMilitary = 0;
  int m_comboType = -1;            // index into the type names, -1 none
  std::uint64_t m_nGates = 0;      // types 8..10
  std::uint64_t m_nRamp = 0;       // types 1..4
  std::uint64_t m_nCargo = 0;      // type 5
  std::uint64_t m_nMil = 0;        // types 6 and 7
  std::uint64_t m_nDock = 0;       // type 11
  float m_fTowerFrequency = 0.0f;  // MHz
  NumberField<float> m_fLandingFee{kLandingFee};
  NodeId m_hSelectedItem = kNoNode;
  bool m_bApplied = true;  // nothing edited since the last apply
  bool m_bReady = false;   // the page has been shown
  // Whether an apply asks about a landing fee below the normal one that was not typed since the
  // airport was shown. The window asks, as the page always did; the command line asks only about a
  // fee it was given, so that a question nobody can answer never resets a fee the user fixed.
  bool askAboutUntypedFee = true;

  static std::span<const PageField> FieldTable();
  std::span<const PageField> Fields() const override { return FieldTable(); }
  void OnInitDialog() override;
  std::string Problem() const override;
  bool OnApply() override;

  // Builds the tree again (first: the page's own first build). Does nothing until the page has been
  // shown, so a page never opened builds its tree when first opened.
  void InitAirportData(bool first);

  void OnTreeSelectionChanged(NodeId node);
  void OnTypeSelected(int index);
  void OnLandingFeeChanged(const std::string& text);
  void OnUseClicked(bool checked);
  void OnMilitaryClicked(bool checked);
  // The ICAO box changed: the airport with that ident (in capitals) is selected and shown; an ident
  // that matches no airport changes nothing. While the page holds unapplied edits, the airport is
  // not shown but noted, for the front end to ask about the edits first (TakeWantedNode).
  void OnICAOChanged(const std::string& text);
  // The node the ICAO box asked for while the page held edits, once; kNoNode when none.
  NodeId TakeWantedNode() { return std::exchange(wantedNode_, kNoNode); }

  // The search over the airports of the tree, made again with each build; null before the first.
  const AirportSearch* Search() const { return search_.get(); }

  // The selected node's label.
  std::string EditedItem() const override;
  void DropEdits() override;

  // The node of `airport` in the tree, or kNoNode.
  NodeId NodeOf(const CAirport& airport) const;
  // What the selected node carries.
  const AirportNodeObject* SelectedObject() const;

 private:
  void MarkEdited();
  void ShowNode(NodeId node);
  void SampleCallSign(const CCountry* country);

  bool feeTyped_ = false;
  NodeId wantedNode_ = kNoNode;
  std::unique_ptr<AirportSearch> search_;
};

}
