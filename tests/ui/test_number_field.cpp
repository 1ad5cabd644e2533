#include <gtest/gtest.h>

#include "ui/number_field.h"

namespace wf::ui {
namespace {

TEST(NumberFieldTest, TypedTextIsTakenOnlyWhenItIsANumberInRange) {
  struct Case {
    const char* text;
    std::uint32_t value;  // 77, the value before, when refused
    const char* problem;  // empty when taken
  } cases[] = {
      {"120", 120, ""},
      {" +120 ", 120, ""},
      {"3000", 3000, ""},
      {"3001", 77, "Cruise Speed (kts): \"3001\" is out of range. Enter a whole number from 0 to 3000."},
      {"-1", 77, "Cruise Speed (kts): \"-1\" is out of range. Enter a whole number from 0 to 3000."},
      {"99999999999999999999", 77,
       "Cruise Speed (kts): \"99999999999999999999\" is out of range. Enter a whole number from 0 to 3000."},
      {"12.5", 77,
       "Cruise Speed (kts): \"12.5\" is not a whole number. Enter a whole number from 0 to 3000."},
      {"fast", 77,
       "Cruise Speed (kts): \"fast\" is not a whole number. Enter a whole number from 0 to 3000."},
      {"  ", 77, "Cruise Speed (kts) is empty. Enter a whole number from 0 to 3000."},
  };
  for (const auto& c : cases) {
    NumberField<std::uint32_t> box{"Cruise Speed (kts)", 0, 3000};
    box.Show(77);
    EXPECT_EQ(box.SetText(c.text), c.problem[0] == '\0') << c.text;
    EXPECT_EQ(box.value, c.value) << c.text;
    EXPECT_EQ(box.Problem(), c.problem) << c.text;
    EXPECT_EQ(box.text(), c.text) << "the box keeps what was typed";
  }
}

TEST(NumberFieldTest, DecimalBoxesRefuseWhatIsNotAFiniteNumber) {
  struct Case {
    const char* text;
    bool taken;
    float value;
  } cases[] = {
      {"99.96", true, 99.96f}, {"1e2", true, 100.0f}, {".5", true, 0.5f}, {"100.01", false, 0},
      {"nan", false, 0},       {"inf", false, 0},     {"1,5", false, 0},  {"5 kg", false, 0},
  };
  for (const auto& c : cases) {
    NumberField<float> box{"Probability (%)", 0, 100};
    EXPECT_EQ(box.SetText(c.text), c.taken) << c.text;
    if (c.taken) {
      EXPECT_EQ(box.value, c.value) << c.text;
    }
    EXPECT_EQ(box.Problem().empty(), c.taken) << c.text;
  }
  NumberField<float> box{"Probability (%)", 0, 100};
  box.SetText("nan");
  EXPECT_EQ(box.Problem(), "Probability (%): \"nan\" is not a number. Enter a number from 0 to 100.");
  box.Show(5.0f);
  EXPECT_TRUE(box.valid()) << "showing a value ends the refusal";
}

}
}
