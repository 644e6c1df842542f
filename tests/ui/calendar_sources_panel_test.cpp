// The calendar sources on the schedule page and the holiday list import on
// "休日の設定", driven through the real widgets.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "app/imported_holidays.h"
#include "calendar/day_type.h"
#include "platform/scoped_environment.h"
#include "schedule_page_fixture.h"
#include "settings/calendar_source_store.h"
#include "ui/calendar_sources_panel.h"
#include "ui/holiday_import_box.h"

namespace murva::testing {
namespace {

class CalendarSourcesPanelTest : public SchedulePageTest {
 protected:
  CalendarSourcesPanelTest() { environment_.Set("XDG_CACHE_HOME", (folder_ / "cache").string()); }

  CalendarSourcesPanel* Panel() {
    Find<QTabWidget>("PageControlMain")->setCurrentIndex(1);
    return form_->findChild<CalendarSourcesPanel*>("PanelCalendarSources");
  }
  QTreeWidget* Tree() { return Find<QTreeWidget>("TreeCalendarSources"); }
  CalendarSettings Stored() const { return LoadCalendarSettings(folder_ / "MURVA32.INI"); }
  void Settle() { QTest::qWait(50); }

  ScopedEnvironment environment_;
};

TEST_F(CalendarSourcesPanelTest, SourcesAreAddedChangedAndRemovedAndSavedAtOnce) {
  WriteBytes(folder_ / "family.ics",
             "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:a\r\nDTSTART;VALUE=DATE:20250616\r\n"
             "SUMMARY:Picnic\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  Open();
  CalendarSourcesPanel* panel = Panel();
  ASSERT_NE(panel, nullptr);
  dialogs_.files.push_back(QString::fromStdString((folder_ / "family.ics").string()));
  Find<QPushButton>("ButtonAddCalendarFile")->click();
  Settle();
  ASSERT_EQ(Tree()->topLevelItemCount(), 1);
  EXPECT_EQ(Tree()->topLevelItem(0)->text(0), "family");
  EXPECT_NE(Tree()->topLevelItem(0)->text(4).toStdString().find("予定 1 件"), std::string::npos)
      << Tree()->topLevelItem(0)->text(4).toStdString();
  ASSERT_EQ(Stored().sources.size(), 1u);

  // Colour and use from their lists, the switch from the check box.
  Find<QComboBox>("ComboCalendarColor1")->setCurrentText("Red");
  Settle();
  Find<QComboBox>("ComboCalendarUse1")->setCurrentIndex(1);
  Settle();
  Tree()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
  Settle();
  CalendarSource stored = Stored().sources.at(0);
  EXPECT_EQ(stored.color, "Red");
  EXPECT_EQ(stored.use, CalendarUse::kHolidays);
  EXPECT_FALSE(stored.on);

  // An address shows its host only, and is kept whole in the file.
  panel->AddAddress("webcal://127.0.0.1:9/private-5ecret/basic.ics");
  Settle();
  ASSERT_EQ(Tree()->topLevelItemCount(), 2);
  EXPECT_EQ(Tree()->topLevelItem(1)->text(3), "webcal://127.0.0.1:9/…");
  EXPECT_EQ(Stored().sources.at(1).address, "webcal://127.0.0.1:9/private-5ecret/basic.ics");
  for (int column = 0; column < Tree()->columnCount(); ++column) {
    EXPECT_EQ(Tree()->topLevelItem(1)->text(column).toStdString().find("5ecret"), std::string::npos);
  }

  // A picture of the page with its sources, to look at.
  form_->resize(1024, 768);
  QApplication::processEvents();
  std::filesystem::create_directories(MURVA_TEST_ARTEFACT_DIR);
  EXPECT_TRUE(form_->grab().save(QString(MURVA_TEST_ARTEFACT_DIR) + "/calendar-sources.png"));

  // An address that is none is refused with a message.
  panel->AddAddress("calendar.example.com/x.ics");
  EXPECT_EQ(Stored().sources.size(), 2u);
  ASSERT_FALSE(dialogs_.messages.empty());

  Tree()->setCurrentItem(Tree()->topLevelItem(1));
  Find<QPushButton>("ButtonRemoveCalendar")->click();
  Settle();
  EXPECT_EQ(Stored().sources.size(), 1u);
  EXPECT_EQ(ReadBytes(folder_ / "MURVA32.INI").find("5ecret"), std::string::npos);
}

TEST_F(CalendarSourcesPanelTest, HolidayListImportShowsItsYearsAndRefusesABrokenFile) {
  WriteBytes(folder_ / "list.csv",
             EncodeCp932("国民の祝日・休日月日,国民の祝日・休日名称\r\n2025/1/1,元日\r\n2025/6/16,テストの日\r\n")
                 .value());
  WriteBytes(folder_ / "broken.csv", "header\n2025/1/1,元日\n2025/13/1,x\n");
  Open();
  Find<QTabWidget>("PageControl2")->setCurrentIndex(3);
  auto* box = form_->findChild<HolidayImportBox*>("PanelHolidayImport");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Find<QLabel>("LabelImportedYears")->text().toStdString().find("組み込みの規則"),
            std::string::npos);
  box->Import(QString::fromStdString((folder_ / "broken.csv").string()));
  ASSERT_FALSE(dialogs_.messages.empty());
  EXPECT_NE(dialogs_.messages.back().find("3 行目"), std::string::npos) << dialogs_.messages.back();
  EXPECT_FALSE(std::filesystem::exists(folder_ / "MURVA32.HOL"));

  box->Import(QString::fromStdString((folder_ / "list.csv").string()));
  EXPECT_TRUE(std::filesystem::exists(folder_ / "MURVA32.HOL"));
  EXPECT_NE(Find<QLabel>("LabelImportedYears")->text().toStdString().find("2025年"), std::string::npos);
  // The build's engine knows the listed day at once.
  EXPECT_NE(form_->Cycle().Engine().DayTypeOf(2025, 6, 16) & dtHoliday, 0);
  EXPECT_EQ(form_->Cycle().Engine().DayTypeOf(2025, 2, 11) & dtHoliday, 0);
}

}  // namespace
}  // namespace murva::testing
