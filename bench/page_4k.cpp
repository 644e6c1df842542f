#include "page_4k.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "calendar/calendar_ex1.h"
#include "schedule/schedule_date.h"
#include "imaging/picture_loader.h"
#include "settings/cp932.h"

namespace murva::bench {
namespace {

constexpr LocalDateTime kNow{2026, 12, 7, 9, 0, 0};

std::filesystem::path GeneratedBackground(const std::filesystem::path& folder) {
  QImage image(3840, 2160, QImage::Format_RGB32);
  std::mt19937 noise(4);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int n = static_cast<int>(noise() % 41) - 20;
      auto channel = [n](int base) { return std::clamp(base + n, 0, 255); };
      line[x] = qRgb(channel(x * 255 / 3840), channel(y * 255 / 2160), channel(128 + (x - y) / 40));
    }
  }
  const std::filesystem::path path = folder / "bg4k.jpg";
  image.save(QString::fromStdString(path.string()), "JPEG", 92);
  return path;
}

std::string Cp932Lines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += EncodeCp932Lossy(line) + "\r\n";
  return bytes;
}

}  // namespace

Page4k::Page4k() : clock_(kNow), random_(7), today_(TodayFields::Of(2026, 12, 7)) {
  InitializePictureFormats(MURVA_BIN_DIR);
  const char* given = std::getenv("MURVA_BENCH_BACKGROUND");
  background_ = given && *given ? std::filesystem::path(given) : GeneratedBackground(Folder());

  testing::WriteBytes(
      Folder() / "MURVA32.INI",
      Cp932Lines({"[MURVA32PRE]", "CalenSelBa=1", "CalenSelEx=0", "[Murva32V4]", "CalWallUse=0",
                  "CalendDely=0", "CalenAlWay=1", "CalendHide=1", "CalendOnly=0", "CalendTile=0",
                  "CalWall256=0", "CalendFold=1", "CalendStyl=1", "CalendMnth=1", "CalendWeek=1",
                  "CalendTday=1", "CalendPerd=6", "CalSunMode=0", "Calen3DFnt=0",
                  "CalFntName=ＭＳ ゴシック", "CalFntSize=12", "CalFntStyl=1", "CalSchedul=4",
                  "BeforeWeek=0", "SchLineSpc=4", "CalendTdyS=1", "CutYearDsp=0", "CutWeekDsp=1",
                  "SchFntName=ＭＳ ゴシック", "SchFntSize=9", "SchFntStyl=0", "CalHoliSel=0",
                  "CalenTitle=1", "TitlePosiX=60", "TitlePosiY=40", "TitlePosT2=40",
                  "TitlePosT3=40", "TitlePosT4=40", "TiFntName1=ＭＳ Ｐゴシック", "TiFntSize1=20",
                  "TiFntStyl1=1", "TiFntName2=ＭＳ Ｐゴシック", "TiFntSize2=20", "TiFntStyl2=0",
                  "TiFntName3=ＭＳ ゴシック", "TiFntSize3=20", "TiFntStyl3=0",
                  "TiFntName4=ＭＳ ゴシック", "TiFntSize4=20", "TiFntStyl4=0",
                  "TitleText1=000$YYYY年$MM月$DD日 $WW", "TitleText2=000$ww $yyyy/$mm/$dd",
                  "TitleText3=000あと$WD日で週末", "TitleText4=000$os",
                  "EditPathW1=" + background_.string(), "CalenChHV1=横→縦", "CalenBlok1=40",
                  "CalenLine1=22", "CalenDays1=10", "CalendWX11=60", "CalendWY11=300",
                  "SchdulWX11=1600", "SchdulWY11=300", "Colors3DF1=0"}));
  std::vector<std::string> entries;
  for (int i = 0; i < 30; ++i) {
    const CivilDate day = AddDays(CivilDate{2026, 12, 8}, i);
    char date[32];
    std::snprintf(date, sizeof date, "%02d/%02d/%02d 00 1 ", day.year % 100, day.month, day.day);
    entries.push_back(date + std::string("予定の項目 ") + std::to_string(i) + " 会議と打ち合わせ" +
                      (i == 0 ? "%Yellow%" : ""));
  }
  entries.push_back("@@/@@/W2 00 4 燃えるゴミ");
  entries.push_back("@@/@@/25 00 3 給料日です");
  std::sort(entries.begin(), entries.end());
  testing::WriteBytes(Folder() / "MURVA32.SCH", Cp932Lines(entries));

  engine_ = MakeCalendarEx1(clock_);
  engine_->Today();
  store_ = std::make_unique<SettingsStore>(Folder() / "MURVA32.INI");
  Reload();
}

int Page4k::Reload() {
  SilentSettingsHost host;
  copy_ = WorkingCopy{};
  store_->LoadSetChoice(copy_);
  store_->LoadGeneralSettings(copy_, today_.TodayText(), host);
  store_->LoadPageSettings(copy_);
  store_->LoadDayGrids(copy_);
  return copy_.wallpaper_page;
}

Page4k& Page4k::Shared() {
  static Page4k page;
  return page;
}

BuildInputs Page4k::Inputs(WallpaperInstaller* installer) {
  return BuildInputs{copy_,   *store_,   *engine_,  schedules_, today_,
                     clock_,  random_,   installer, ScreenSize{3840, 2160}, Folder()};
}

}  // namespace murva::bench
