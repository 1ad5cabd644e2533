
#include "app/settings_file.h"
#include "platform/files.h"
#include "ui/flightplan_page.h"
#include "ui/page_test_support.h"

namespace wf::ui {
namespace {

class FlightplanPageTest : public test::PageTest {
 protected:
  FlightplanPageTest() { page.OnInitDialog(); }

  CPFlightplan page{session};
};

TEST(StartDateTest, PickedDayBecomesTheNextSundayBeforeThe21stOrTheSundayBefore) {
  const std::tuple<int, int, int, int> cases[] = {
      {1, 1, 8, 1},      // a Sunday moves a week on
      {25, 1, 22, 1},    // a Wednesday: the next Sunday would be the 29th
      {14, 1, 15, 1},    // a Saturday
      {15, 1, 15, 1},    // a Sunday on the 15th stays
      {13, 8, 20, 8},    // a Sunday on the 13th moves to the 20th
      {31, 12, 31, 12},  // a Sunday past the 20th stays where it is
  };
  for (const auto& [pickedDay, pickedMonth, day, month] : cases)
    EXPECT_EQ(NormalizedStartDate(MakeTime(2006, pickedMonth, pickedDay, 17, 30)),
              MakeTime(2006, month, day, 12))
        << pickedDay << "." << pickedMonth;
}

TEST_F(FlightplanPageTest, ApplyStoresTheSelectedCategoryAndKindNormalisesTheDateAndReseeds) {
  page.OnCategorySelected(kClub);
  page.OnMaxHoursChanged("3.5");
  page.OnIfrChanged("60");
  page.OnParkingKindSelected(8);  // large Gate
  EXPECT_EQ(page.parkingFeeValue.value, 1500.0f);
  page.OnParkingFeeChanged("1500");
  page.OnDateChanged(MakeTime(2006, 6, 4));
  ASSERT_TRUE(page.OnApply());
  page.OnNightChanged("30");
  ASSERT_TRUE(page.OnApply()) << "a second apply leaves the stored Sunday where it is";

  EXPECT_EQ(session.settings.flightTimeMax[kClub], 3.5f);
  EXPECT_EQ(session.settings.ifrPercent[kClub], 60);
  EXPECT_EQ(session.settings.flightTimeMax[kTaxi], 2.0f) << "other categories keep their values";
  EXPECT_EQ(session.settings.startDate, MakeTime(2006, 6, 11, 12));
  EXPECT_EQ(page.pickedDate, session.settings.startDate);
  EXPECT_EQ(session.random.State(), static_cast<std::uint32_t>(session.settings.startDate));
  const IniFile ini = IniFile::Load(session.SettingsPath());
  EXPECT_EQ(ini.GetString("Fees", "heavy_GATE"), "150000");
  EXPECT_EQ(ini.GetString("Fees", "IFR"), "125") << "the IFR fee is written with its current value";
  EXPECT_FALSE(page.IsModified());
}

// The category's edits go with it; a minimum above the maximum is refused once the page was edited.
TEST_F(FlightplanPageTest, EditsFollowTheCategoryAndAMinimumAboveTheMaximumIsRefused) {
  page.OnIlsFeeChanged("5");
  EXPECT_FALSE(page.IsModified()) << "the ILS fee is already 5";
  page.OnIlsFeeChanged("6");
  EXPECT_TRUE(page.IsModified());
  page.OnCategorySelected(kRental);
  EXPECT_FALSE(page.IsModified());
  page.OnTouchAndGoChanged("20");
  page.OnCategorySelected(kTaxi);
  EXPECT_EQ(page.touchAndGoValue.value, 0) << "the edit of the other category is discarded";
  page.OnDateChanged(MakeTime(2007, 3, 3));
  page.OnMinHoursChanged("2.5");
  EXPECT_FALSE(page.OnApply());
  EXPECT_EQ(prompter.messages.back(),
            "minimum Flight time: \"2.5\" is above the maximum Flight time of 2. Enter a minimum Flight time "
            "no longer than the maximum Flight time.");
  EXPECT_EQ(session.settings.startDate, Settings{}.startDate);
}

TEST_F(FlightplanPageTest, AssignGivesUnfixedAirportsTheNormalFeeFromAppliedSettings) {
  CAirport& free = test::AddAirport(session.world, {.icao = "FREE", .smallRamps = 4});
  CAirport& fixed = test::AddAirport(session.world, {.icao = "FIXD", .smallRamps = 4});
  fixed.landingFee = 1.0f;
  fixed.feeSetByUser = 1;
  const float normal = free.NormalLandingFee(session.settings);
  page.OnParkingKindSelected(0);
  page.OnParkingFeeChanged("40");  // not applied

  const auto assignment = page.OnAssignFees();
  EXPECT_EQ(assignment.airports, 1);
  EXPECT_TRUE(assignment.saved);
  EXPECT_EQ(free.landingFee, normal);
  EXPECT_EQ(fixed.landingFee, 1.0f);
  EXPECT_TRUE(std::filesystem::exists(folder / "objects.dat"));
  EXPECT_FALSE(session.airportDatabaseUnsaved);
}

}
}
