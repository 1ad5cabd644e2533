#pragma once
// The "Planes" page: the aircraft database as a tree of models and their variations, the values of
// the selected node, and their edits. A variation's values change that variation only; a model's
// values change the model and, after a question, are handed down to all its variations, and its
// apply writes the aircraft files at once.
//
// The Make AI plane button belongs here too: it runs the AI conversion for m_pAircraft, then marks
// the page edited, applies it, rebuilds the tree with BuildPlaneTree(false) and sets m_bSaved.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>

#include "aiconvert/aircraft_copy.h"
#include "ui/make_ai_plane.h"
#include "ui/page_tree.h"
#include "ui/search_text.h"
#include "ui/sheet_page.h"
#include "world/aircraft.h"

namespace wf::ui {

// Node images: usable, switched off (or probability 0), cannot fly GA traffic at all.
enum PlaneImage : int { kImageUsable = 0, kImageSwitchedOff = 2, kImageNotForGA = 4 };

inline constexpr const char* kDialogNotCreated = "Dialog box could not be created!";

// What the "Make AI plane" button did.
struct MakeAIPlaneResult {
  int dialogResult = kDialogCancel;  // kDialogOK, kDialogCancel, or -1: the dialog was not created
  AICopyEntry entry;                 // how the copy entered the database, after kDialogOK
  bool aircraftFilesSaved = false;
  bool failed = false;  // the conversion failed; the user was told why
};

// What a Planes tree node carries: nothing for the root "All planes", a model, or a variation's
// number (a variation node is resolved by its label, the title, in aircraftNames).
using PlaneNodeObject = std::variant<std::monostate, CAircraft*, std::uint16_t>;
using PlaneTree = PageTree<PlaneNodeObject>;

class CPPlanes final : public SheetPage {
 public:
  explicit CPPlanes(Session& session);

  // The page's fields, bound to the members below by Fields(). The model's own values (speeds,
  // range, fuel, IFR, type) apply only where a model is selected.
  static constexpr FieldInfo kCruiseSpeed{.kind = FieldKind::kNumber,
                                          .name = "m_nCruiseSpeed",
                                          .label = "Cruise Speed (kts)",
                                          .max = 3000,
                                          .option = "--cruise KTS"};
  static constexpr FieldInfo kStallSpeed{.kind = FieldKind::kNumber,
                                         .name = "m_nStallSpeed",
                                         .label = "Stall Speed (kts)",
                                         .max = 3000,
                                         .option = "--stall KTS"};
  static constexpr FieldInfo kRange{.kind = FieldKind::kNumber,
                                    .name = "m_nRange",
                                    .label = "Range (nm)",
                                    .max = 2000000,
                                    .option = "--range NM"};
  static constexpr FieldInfo kFuel{.kind = FieldKind::kNumber,
                                   .name = "m_nFuel",
                                   .label = "Fuel (l)",
                                   .max = 2000000,
                                   .option = "--fuel L"};
  static constexpr FieldInfo kUseForGA{.kind = FieldKind::kCheck,
                                       .name = "m_bUseForGA",
                                       .label = "Use for GA:",
                                       .option = "--use-ga B",
                                       .help = "Use for GA traffic"};
  static constexpr FieldInfo kIFREquipped{.kind = FieldKind::kCheck,
                                          .name = "m_bIFREquipped",
                                          .label = "has IFR equipment:",
                                          .option = "--ifr B"};
  static constexpr FieldInfo kHasWheels{
      .kind = FieldKind::kCheck, .name = "m_bHasWheels", .label = "has Wheels:"};
  static constexpr FieldInfo kProbability{.kind = FieldKind::kNumber,
                                          .name = "m_fProbability",
                                          .label = "Probability (%)",
                                          .max = 100,
                                          .option = "--probability P",
                                          .help = "Probability (%) in the fleet lottery"};
  static constexpr FieldInfo kMoneyPerWeek{.kind = FieldKind::kNumber,
                                           .name = "m_fMoneyPerWeek",
                                           .label = "Money per week",
                                           .max = 1000000000,
                                           .option = "--money-week M"};
  // Money per week over 70 flights; its range keeps the week within its own.
  static constexpr FieldInfo kMoneyPerFlight{.kind = FieldKind::kNumber,
                                             .name = "m_fMoneyPerFlight",
                                             .label = "Money per flight",
                                             .max = 1000000000 / 70,
                                             .option = "--money-flight M",
                                             .help = "Money per flight (a week has 70 flights)"};
  static constexpr FieldInfo kUsage{.kind = FieldKind::kFlags,
                                    .name = "usage",
                                    .label = "Useage",
                                    .choices = kCategoryBoxNames,
                                    .byName = CategoryByName,
                                    .option = "--usage LIST",
                                    .help = "The categories that fly it"};
  static constexpr FieldInfo kBushplane{
      .kind = FieldKind::kCheck, .name = "m_bBushplane", .label = "Bushplane:", .option = "--bush B"};
  static constexpr FieldInfo kAmphibian{
      .kind = FieldKind::kCheck, .name = "m_bAmphibian", .label = "Amphibian:", .option = "--amphibian B"};
  static constexpr FieldInfo kSkis{
      .kind = FieldKind::kCheck, .name = "m_bSkis", .label = "has Skis:", .option = "--skis B"};

  PlaneTree m_tree;
  NumberField<std::uint32_t> m_nCruiseSpeed{kCruiseSpeed};
  NumberField<std::uint32_t> m_nStallSpeed{kStallSpeed};
  NumberField<std::int32_t> m_nRange{kRange};
  NumberField<std::int32_t> m_nFuel{kFuel};
  std::int32_t m_bUseForGA = 0;
  std::int32_t m_bIFREquipped = 0;
  std::int32_t m_bHasWheels = 0;  // never editable
  NumberField<float> m_fProbability{kProbability};
  NumberField<float> m_fMoneyPerWeek{kMoneyPerWeek};
  NumberField<float> m_fMoneyPerFlight{kMoneyPerFlight};
  // "Useage": Privat bit 0, Club bit 1, Student bit 2, Rental bit 3, Business bit 4, Taxi bit 5.
  std::int32_t m_bTaxi = 0, m_bBusiness = 0, m_bRental = 0, m_bStudent = 0, m_bClub = 0, m_bPrivat = 0;
  std::int32_t m_bBushplane = 0;
  std::int32_t m_bAmphibian = 0;
  std::int32_t m_bSkis = 0;
  // The boxes of a model's own values (speeds, range, fuel, IFR, type) can be edited: a model is
  // selected.
  bool m_bModelBoxesEnabled = false;

  NodeId m_hSelectedItem = kNoNode;
  CAircraft* m_pAircraft = nullptr;      // the selected model, or the model of the selected variation
  CAI_Aircraft* m_pVariation = nullptr;  // the selected variation
  bool m_bSaved = true;                  // nothing edited since the page was initialised
  bool m_bReady = false;                 // the page has been shown

  static std::span<const PageField> FieldTable();
  std::span<const PageField> Fields() const override { return FieldTable(); }
  // Whether `field` (of FieldTable) is one of a model's own values, which a variation does not have.
  static bool IsModelValue(const PageField& field);
  void OnInitDialog() override;
  // The selected node's label.
  std::string EditedItem() const override;
  void DropEdits() override;
  // A refused number, or "Use for GA:" ticked where the apply cannot keep it on: on a variation whose
  // title holds a comma, or with no usage category ticked.
  std::string Problem() const override;
  // Applies the selected model (after the question; No leaves it as it was, see AnsweredNo()) or
  // variation.
  bool OnApply() override;

  // Builds the tree again (first: the page's own first build), keeping the selected model's node
  // (or the node of its AI copy) selected. Does nothing until the page has been shown.
  void BuildPlaneTree(bool first);

  void OnTreeSelectionChanged(NodeId node);
  void OnCruiseSpeedChanged(const std::string& text);
  void OnStallSpeedChanged(const std::string& text);
  void OnRangeChanged(const std::string& text);
  void OnFuelChanged(const std::string& text);
  void OnProbabilityChanged(const std::string& text);
  // The two money boxes keep each other at week = flight x 70.
  void OnMoneyPerWeekChanged(const std::string& text);
  void OnMoneyPerFlightChanged(const std::string& text);
  void OnUseForGAClicked(bool checked);
  void OnIFREquippedClicked(bool checked);
  void OnUsageClicked(Category category, bool checked);
  // The six usage boxes at once: box c ticked when bit c of `mask` is set.
  void OnUsageChanged(std::int64_t mask);
  void OnBushplaneClicked(bool checked);
  void OnAmphibianClicked(bool checked);
  void OnSkisClicked(bool checked);
  // "Make AI plane", for m_pAircraft (nothing without one): the front end's `runDialog` shows the
  // Make AI Plane dialog, already initialised, and returns what it ended with (OnOK's result, OnCancel's,
  // or -1 when it could not be shown, which is reported). A failed conversion is reported, and so is
  // one that did not do everything (MakeAI_Plane::FailureText, Problems). After OK the copy enters the
  // database, the page is applied (a model node asks whether to hand its values down), the tree is
  // built again and the aircraft files are written when the apply did not write them.
  MakeAIPlaneResult OnMakeAIPlane(const std::function<int(MakeAI_Plane&)>& runDialog);

  // Whether the tree shows `node` under `filter`: a model whose name, or a title of whose variations,
  // the filter keeps; a variation whose title it keeps, or whose model's name; the root always.
  bool ShownBy(const NameFilter& filter, NodeId node) const;

  // The usage mask of the six boxes.
  std::int32_t UsageMask() const;
  // The box of `category`.
  std::int32_t& UsageBox(Category category);
  // The image of a model, and of a variation when the tree is built.
  int ModelImage(const CAircraft& model) const;
  int VariationImage(const CAI_Aircraft& variation) const;

 private:
  void MarkEdited();
  void ShowNode(NodeId node);
  void ShowModelValues(const CAircraft& model);
  void ShowChoiceValues(float probability, std::int32_t useForGA, float moneyPerWeek, std::int32_t usage);
  void ApplyVariation(CAI_Aircraft& variation, NodeId node);
  bool ApplyModel(CAircraft& model, NodeId node);
  // The money per week to store: the entered value, or, when it lies below `normal` by more than
  // `tolerance` and the user answers No, the normal value (shown in both money boxes).
  float CheckedMoneyPerWeek(float normal, float tolerance);
  void SetFuelFlow(CAircraft& model);
  void SetUsageBoxes(std::int32_t usage);
  // The user typed into a number box: the page is edited when the text was refused or changed the
  // value.
  template <class T>
  void EditNumber(NumberField<T>& box, const std::string& text);
};

}
