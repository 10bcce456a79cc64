#include "dae_export/class_hours.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dae_export/import_workspace.h"
#include "support/dbase/index_check.h"
#include "support/dbase/table.h"
#include "support/error.h"
#include "toolkit/recording_dialogs.h"

namespace dae_export {
namespace {

using import_test::ImportWorkspace;
using import_test::Rows;

Rows classHours(const ImportWorkspace& workspace) {
  return workspace.readUtf8("PLANTILLA", {"HORA", "HORAINI", "HORAFIN"});
}

TEST(ClassHoursTest, WithoutDaysAndHoursTheDayRunsFromEightPastMidnight) {
  ImportWorkspace workspace;
  buildClassHours(workspace.workFolder());
  const Rows expected = {
      {"1", "08:00", "09:00"},  {"2", "09:00", "10:00"},  {"3", "10:00", "11:00"},  {"4", "11:00", "12:00"},
      {"5", "12:00", "13:00"},  {"6", "13:00", "14:00"},  {"7", "14:00", "15:00"},  {"8", "15:00", "16:00"},
      {"9", "16:00", "17:00"},  {"10", "17:00", "18:00"}, {"11", "18:00", "19:00"}, {"12", "19:00", "20:00"},
      {"13", "20:00", "21:00"}, {"14", "21:00", "22:00"}, {"15", "22:00", "23:00"}, {"16", "23:00", "24:00"},
      {"17", "00:00", "01:00"}, {"18", "01:00", "02:00"}, {"19", "02:00", "03:00"}, {"20", "03:00", "04:00"}};
  EXPECT_EQ(classHours(workspace), expected);
  EXPECT_TRUE(dbase::checkIndexes(workspace.workFolder(), "PLANTILLA").empty());
}

struct DaysAndHoursCase {
  const char* name;
  Rows daysAndHours;  // DIHO, HORADESDE, HORAHASTA
  Rows expected;      // HORA, HORAINI, HORAFIN
};

const DaysAndHoursCase kDaysAndHoursCases[] = {
    {"LaterDayGivesOnlyTheSessionsEarlierDaysDidNotReach",
     {{"11", "08:30", "09:25"},
      {"12", "09:25", "10:20"},
      {"13", "10:20", "11:15"},
      {"21", "08:00", "08:55"},
      {"22", "08:55", "09:50"},
      {"23", "09:50", "10:45"},
      {"24", "11:15", "12:10"}},
     {{"1", "08:30", "09:25"}, {"2", "09:25", "10:20"}, {"3", "10:20", "11:15"}, {"4", "11:15", "12:10"}}},
    {"SessionsBeforeTheFirstOneArePassedOver",
     {{"12", "09:00", "10:00"}, {"11", "08:00", "09:00"}, {"12", "09:30", "10:30"}},
     {{"1", "08:00", "09:00"}, {"2", "09:30", "10:30"}}},
    {"TwoDigitSessionsFollowTheDayDigit",
     {{"11", "08:00", "09:00"},
      {"12", "09:00", "10:00"},
      {"13", "10:00", "11:00"},
      {"14", "11:00", "12:00"},
      {"15", "12:00", "13:00"},
      {"16", "13:00", "14:00"},
      {"17", "14:00", "15:00"},
      {"18", "15:00", "16:00"},
      {"19", "16:00", "17:00"},
      {"110", "17:00", "18:00"},
      {"111", "18:00", "19:00"},
      {"112", "19:00", "20:00"}},
     {{"1", "08:00", "09:00"},
      {"2", "09:00", "10:00"},
      {"3", "10:00", "11:00"},
      {"4", "11:00", "12:00"},
      {"5", "12:00", "13:00"},
      {"6", "13:00", "14:00"},
      {"7", "14:00", "15:00"},
      {"8", "15:00", "16:00"},
      {"9", "16:00", "17:00"},
      {"10", "17:00", "18:00"},
      {"11", "18:00", "19:00"},
      {"12", "19:00", "20:00"}}},
    {"TimesAreCutToFiveCharacters", {{"11", "08:00:00", "08:55h"}}, {{"1", "08:00", "08:55"}}},
    {"EmptyTableGivesNoHours", {}, {}},
};

TEST(ClassHoursTest, HoursComeFromTheDaysAndHoursTable) {
  for (const DaysAndHoursCase& c : kDaysAndHoursCases) {
    SCOPED_TRACE(c.name);
    ImportWorkspace workspace;
    workspace.writeDaysAndHours(c.daysAndHours);
    buildClassHours(workspace.workFolder());
    EXPECT_EQ(classHours(workspace), c.expected);
    EXPECT_TRUE(dbase::checkIndexes(workspace.workFolder(), "PLANTILLA").empty());
  }
}

TEST(ClassHoursTest, SessionThatIsNotANumberStopsTheBuildWithTheConversionError) {
  ImportWorkspace workspace;
  workspace.writeDaysAndHours({{"11", "08:00", "09:00"}, {"1x", "09:00", "10:00"}});
  try {
    buildClassHours(workspace.workFolder());
    FAIL() << "no error";
  } catch (const support::Error& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
  }
  EXPECT_EQ(classHours(workspace), (Rows{{"1", "08:00", "09:00"}}));
}

TEST(ClassHoursTest, EarlierTableIsReplacedAndCorrectionsLastOneImport) {
  ImportWorkspace workspace;
  workspace.writeDaysAndHours({{"11", "08:00", "09:00"}, {"12", "09:00", "10:00"}});
  buildClassHours(workspace.workFolder());
  {
    dbase::Table hours(workspace.workFolder(), "PLANTILLA");
    hours.open();
    hours.edit();
    hours.setText("HORAINI", "07:45");
    hours.post();
  }
  buildClassHours(workspace.workFolder());
  EXPECT_EQ(classHours(workspace), (Rows{{"1", "08:00", "09:00"}, {"2", "09:00", "10:00"}}));
}

class PlantillaCentroTest : public ::testing::Test {
 protected:
  ImportWorkspace workspace;
  run::Session session = workspace.session();
  test_support::RecordingDialogs dialogs;
};

TEST_F(PlantillaCentroTest, CorrectionTypedInTheCheckWindowIsStored) {
  workspace.writeCentre("014987", "2025", "1");
  dialogs.classHourEdits = [](dbase::Table& hours) {
    EXPECT_FALSE(hours.isOpen());
    hours.open();
    hours.next();
    hours.next();
    hours.edit();
    hours.setText("HORAINI", "10:05");
    hours.post();
    hours.close();
  };
  PlantillaCentro(session, dialogs);
  EXPECT_EQ(dialogs.classHourChecks, 1);
  EXPECT_EQ(workspace.readUtf8("PLANTILLA", {"HORAINI"})[2], std::vector<std::string>{"10:05"});
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PlantillaCentroTest, MissingCentreIsCreatedEmptyAndTheCentrePanelIsAskedFor) {
  PlantillaCentro(session, dialogs);
  EXPECT_EQ(dialogs.classHourChecks, 1);
  EXPECT_EQ(session.FlagPaso, 1);
  ASSERT_TRUE(dbase::tableExists(workspace.workFolder(), "daeCENTRO"));
  EXPECT_EQ(workspace.readUtf8("daeCENTRO", {"CODCENTRO", "ANOACAD", "VERSION"}), Rows{});
}

TEST_F(PlantillaCentroTest, CentreTableLeftEmptyIsAskedForAgain) {
  PlantillaCentro(session, dialogs);
  session.FlagPaso = 0;
  PlantillaCentro(session, dialogs);
  EXPECT_EQ(session.FlagPaso, 1);
}

TEST_F(PlantillaCentroTest, WindowLeftOpenDoesNotKeepTheTableOpen) {
  workspace.writeCentre("014987", "2025", "1");
  dialogs.classHourEdits = [](dbase::Table& hours) { hours.open(); };
  PlantillaCentro(session, dialogs);
  // Re-creating needs every handle of this process closed.
  EXPECT_NO_THROW(buildClassHours(workspace.workFolder()));
}

}  // namespace
}  // namespace dae_export
