
#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "ui/main_sheet.h"
#include "ui/page_test_support.h"

namespace wf::ui {
namespace {

// The problem says what is wrong and what to type.
TEST(NumberFieldTest, TypedTextIsTakenOnlyWhenItIsANumberInRange) {
  // Whole box?, typed, the value then (77 before), the start of the problem.
  const std::tuple<bool, const char*, double, const char*> cases[] = {
      {true, " +120 ", 120, ""},
      {true, "3000", 3000, ""},
      {true, "3001", 77,
       "Cruise Speed (kts): \"3001\" is out of range. Enter a whole number from 0 to 3000."},
      {true, "-1", 77, "Cruise Speed (kts): \"-1\" is out of range."},
      {true, "99999999999999999999", 77, "Cruise Speed (kts): \"99999999999999999999\" is out of range."},
      {true, "12.5", 77,
       "Cruise Speed (kts): \"12.5\" is not a whole number. Enter a whole number from 0 to"},
      {true, "  ", 77, "Cruise Speed (kts) is empty. Enter a whole number from 0 to 3000."},
      {false, "99.96", 99.96f, ""},
      {false, "100.01", 77, "Probability (%): \"100.01\" is out of range. Enter a number from 0 to 100."},
      {false, "inf", 77, "Probability (%): \"inf\" is not a number. Enter a number from 0 to 100."},
      {false, "1,5", 77, "Probability (%): \"1,5\" is not a number."},
  };
  for (const auto& [inWhole, text, value, problem] : cases) {
    NumberField<std::uint32_t> whole{CPPlanes::kCruiseSpeed};
    NumberField<float> decimal{CPPlanes::kProbability};
    NumberBox& box = inWhole ? static_cast<NumberBox&>(whole) : decimal;
    whole.Show(77);
    decimal.Show(77.0f);
    EXPECT_EQ(inWhole ? whole.SetText(text) : decimal.SetText(text), problem[0] == '\0') << text;
    EXPECT_EQ(inWhole ? whole.value : decimal.value, static_cast<float>(value)) << text;
    EXPECT_EQ(box.Problem().substr(0, std::string_view(problem).size()), problem) << text;
    EXPECT_EQ(box.text(), text) << "the box keeps what was typed";
    inWhole ? whole.Show(5) : decimal.Show(5.0f);
    EXPECT_TRUE(box.valid()) << "showing a value ends the refusal";
  }
}

TEST(FieldValueTest, OptionValuesAreReadByTheKindOfTheField) {
  const std::tuple<const FieldInfo*, const char*, std::optional<std::int64_t>> cases[] = {
      {&CPAirports::kUse, "TRUE", 1},
      {&CPAirports::kUse, "maybe", std::nullopt},
      {&CPAirports::kType, "gras strip", 1},
      {&CPAirports::kType, "8", 8},
      {&CPAirports::kType, "9", std::nullopt},
      {&CPPlanes::kUsage, "taxi, Club", 0b100010},
      {&CPPlanes::kUsage, "private,training,Buisiness,students", 0b010101},
      {&CPPlanes::kUsage, "taxi,pilots", std::nullopt},
      {&CPFlightplan::kCategory, "BUSINESS", kBusiness},
      {&CPFlightplan::kParkingKind, "large_gate", 8},
      {&CPFlightplan::kParkingKind, "Small GA Ramp", 0},
      {&CPFlightplan::kParkingKind, "gate", std::nullopt},
      {&CPFlightplan::kPickedDate, "2006-06-07", MakeTime(2006, 6, 7)},
      {&CPFlightplan::kPickedDate, "2006-02-30", std::nullopt},
      {&CPFlightplan::kPickedDate, "2006-6-7", std::nullopt},
  };
  for (const auto& [info, text, value] : cases) EXPECT_EQ(ParseFieldValue(*info, text), value) << text;
}

class PageFieldsTest : public test::PageTest {
 protected:
  PageFieldsTest() {
    test::AddVariation(session.world, test::AddModel(session.world, {}), "Trainer red");
    test::AddAirport(session.world, {.icao = "EDDF"});
  }
  void Open(MainSheet& sheet) {
    for (int p = 0; p < kPageCount; ++p) sheet.ShowPage(static_cast<PageId>(p));
    sheet.planes.OnTreeSelectionChanged(
        sheet.planes.m_tree.Find(sheet.planes.m_tree.TopLevel()[0])->children[0]);
    sheet.airports.OnICAOChanged("EDDF");
  }
};

// The box has the label and range of its FieldInfo; only the fields an edit changed are reported.
TEST_F(PageFieldsTest, EveryFieldShowsWhatItsHandlerTook) {
  MainSheet sheet(session);
  Open(sheet);
  for (int p = 0; p < kPageCount; ++p) {
    SheetPage& page = sheet.Page(static_cast<PageId>(p));
    std::set<std::string> names;
    FieldWatch watch;
    watch.Changed(page, page.Fields());
    for (std::size_t i = 0; i < page.Fields().size(); ++i) {
      const PageField& field = page.Fields()[i];
      const FieldInfo& info = *field.info;
      SCOPED_TRACE(info.name);
      EXPECT_TRUE(names.insert(info.name).second) << "object names are unique on a page";
      EXPECT_TRUE(FieldApplies(page, field) || !field.Editable());
      if (const NumberBox* box = field.box != nullptr ? field.box(page) : nullptr) {
        EXPECT_EQ(std::make_tuple(std::string(box->label()), box->min(), box->max()),
                  std::make_tuple(std::string(info.label), info.min, info.max));
      }
      if (!field.Editable()) continue;
      std::string typed, shown;
      switch (info.kind) {
        case FieldKind::kNumber:
          typed = shown = FormatNumber(std::floor(info.min + (info.max - info.min) / 3));
          break;
        case FieldKind::kCheck:
          typed = shown = FieldText(page, field) == "yes" ? "no" : "yes";
          break;
        case FieldKind::kChoice:
          typed = info.choices[1];
          shown = typed + " (1)";
          break;
        case FieldKind::kFlags:
          typed = std::string(info.choices[0]) + "," + info.choices[2];
          shown = std::string(info.choices[2]) + ", " + info.choices[0];
          break;
        case FieldKind::kDate:
          typed = "2006-06-07";
          shown = "2006-06-07 (Wednesday)";
          break;
        default:
          typed = shown = info.kind == FieldKind::kSlider ? FormatNumber(info.max) : "X";
      }
      ASSERT_TRUE(FeedField(page, field, typed));
      EXPECT_EQ(FieldText(page, field), *info.unit != '\0' ? shown + " " + info.unit : shown);
      const std::vector<std::size_t> changed = watch.Changed(page, page.Fields());
      const bool money = &info == &CPPlanes::kMoneyPerWeek || &info == &CPPlanes::kMoneyPerFlight;
      // A choice of category or parking kind shows other values; the money boxes follow each other.
      EXPECT_TRUE(info.kind == FieldKind::kChoice || changed.size() == (money ? 2u : 1u)) << changed.size();
      EXPECT_NE(std::find(changed.begin(), changed.end(), i), changed.end());
    }
  }
}

// Nothing is asked or stored, on that page or another (the Airports page's Use).
TEST_F(PageFieldsTest, ANumberRefusedOnAnyPageStopsTheWholeApply) {
  for (int p = 0; p < kPageCount; ++p) {
    for (std::size_t i = 0;; ++i) {
      MainSheet sheet(session);
      Open(sheet);
      SheetPage& page = sheet.Page(static_cast<PageId>(p));
      if (i == page.Fields().size()) break;
      const PageField& field = page.Fields()[i];
      if (field.box == nullptr) continue;
      SCOPED_TRACE(field.info->name);
      sheet.airports.OnUseClicked(false);
      FeedField(page, field, FormatNumber(field.info->max + 1));
      prompter.messages.clear();
      EXPECT_FALSE(sheet.Apply());
      EXPECT_EQ(prompter.messages, std::vector<std::string>{field.box(page)->Problem()});
      EXPECT_TRUE(prompter.questions.empty());
      EXPECT_EQ(session.world.airportIndex.Find("EDDF")->useAirport, 1);
      EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "nothing was saved";
    }
  }
}

}
}
