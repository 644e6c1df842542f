// The live preview in the real window: what it shows, how dragging on it
// moves the bars, that it touches no file, and its switch.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <map>

#include "app/wallpaper_preview.h"
#include "settings/cp932.h"
#include "support/temp_folder.h"
#include "ui/form_main.h"
#include "ui/preview_panel.h"
#include "ui/preview_window.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using Block = PreviewPanel::Block;

class CountingLauncher : public ProcessLauncher {
 public:
  int starts = 0;
  int Start(const std::string&, const std::filesystem::path&) override {
    ++starts;
    return 0;
  }
};

class CountingInstaller : public WallpaperInstaller {
 public:
  int installs = 0;
  std::string Name() const override { return "counting"; }
  bool Install(const std::filesystem::path&, std::string&) override {
    ++installs;
    return true;
  }
};

// Answers every dialog at once and remembers what it was asked.
class RecordingDialogs : public Dialogs {
 public:
  std::vector<std::pair<QString, MessageIcon>> messages;
  std::vector<QString> file_filters;
  QString OpenFileName(QWidget*, const QString&, const QString& filter) override {
    file_filters.push_back(filter);
    return {};
  }
  void Message(QWidget*, const QString& text, MessageIcon icon) override {
    messages.emplace_back(text, icon);
  }
};

// Lets the window work until the condition holds; false after the limit.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 20000) {
  const QDeadlineTimer deadline(milliseconds);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(10);
  }
  return true;
}

// Every file under a folder with its bytes.
std::map<std::string, std::string> Files(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().string()] = ReadBytes(entry.path());
  }
  return files;
}

class PreviewPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    background_ = folder_ / "pictures" / "back.bmp";
    std::filesystem::create_directories(background_.parent_path());
    QImage picture(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) picture.setPixel(x, y, qRgb(x / 3, y / 3, 120));
    }
    picture.save(QString::fromStdString(background_.string()), "BMP");
    testing::WriteBytes(folder_ / "MURVA32.SCH",
                        *EncodeCp932("26/12/09 00 1 会議%Red%\r\n@@/@@/W5 00 4 ゴミの日\r\n"));
    testing::WriteBytes(folder_ / "MURVA32.INI",
                        "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\n"
                        "CalendHide=0\r\nCalendStyl=1\r\nCalendPerd=1\r\nCalSchedul=4\r\n"
                        "CalenTitle=1\r\nTitleText1=000$yyyy/$mm/$dd\r\nTitlePosiX=20\r\n"
                        "TitlePosiY=20\r\nCalendWX11=300\r\nCalendWY11=60\r\n"
                        "SchdulWX11=40\r\nSchdulWY11=300\r\nEditPathW1=" +
                            background_.string() + "\r\n");
  }

  TFormMain& Open() {
    RunEnvironment environment;
    environment.program_folder = folder_.Path();
    environment.clock = &clock_;
    environment.launcher = &launcher_;
    environment.installer = &installer_;
    form_ = std::make_unique<TFormMain>(environment);
    form_->SetDialogs(dialogs_);
    form_->Create();
    form_->resize(1100, 800);
    form_->show();
    form_->Cycle().FormActivate();
    WaitForPicture();
    return *form_;
  }

  PreviewPanel& Preview() { return *form_->findChild<PreviewPanel*>("PanelPreview"); }

  void WaitForPicture() {
    ASSERT_TRUE(WaitUntil([this] { return Preview().IsCurrent() && !Preview().Picture().IsNull(); }));
  }

  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = form_->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Drags on the preview from the middle of a block by (dx, dy) panel pixels.
  void Drag(Block block, QPoint by) {
    const QPoint from = Preview().AreaOnPanel(block).center().toPoint();
    QTest::mousePress(&Preview(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&Preview(), from + by / 2);
    QTest::mouseMove(&Preview(), from + by);
    QTest::mouseRelease(&Preview(), Qt::LeftButton, {}, from + by);
  }

  // A click on a check box's mark, as a user makes it (a wide box takes
  // clicks only on its mark and caption).
  static void ClickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  }

  // Panel pixels per wallpaper pixel.
  double Scale() const {
    const PreviewPicture& picture = form_->findChild<PreviewPanel*>("PanelPreview")->Picture();
    return picture.ScaleX() / picture.image.devicePixelRatio();
  }

  TempFolder folder_;
  std::filesystem::path background_;
  FixedClock clock_{{2026, 12, 7, 10, 0, 0}};
  CountingLauncher launcher_;
  CountingInstaller installer_;
  RecordingDialogs dialogs_;
  std::unique_ptr<TFormMain> form_;
};

TEST_F(PreviewPanelTest, PictureEqualsTheInProcessBuildOfThePagePixelForPixel) {
  Open();
  ASSERT_TRUE(Preview().isVisible());
  const QImage shown = Preview().Picture().image;
  const QSize fit = Preview().FitSize();
  EXPECT_TRUE(shown.width() == fit.width() || shown.height() == fit.height());
  EXPECT_TRUE(Preview().Picture().messages.empty());

  Find<QPushButton>("SpeedButtonMake")->click();
  const auto written_path = background_.parent_path() / "MURVA00.BMP";
  ASSERT_TRUE(std::filesystem::exists(written_path));
  WallpaperCanvas written;
  written.image = QImage(QString::fromStdString(written_path.string()))
                      .convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(written.image.size(), Preview().Picture().wallpaper_size);
  EXPECT_TRUE(ScaleForPreview(written, fit) == shown);
}

TEST_F(PreviewPanelTest, DraggingABlockMovesItsBarsByTheScaledAmount) {
  Open();
  auto* left = Find<QScrollBar>("ScrollBarCalLeft");
  auto* top = Find<QScrollBar>("ScrollBarCalTop");
  ASSERT_EQ(left->value(), 300);
  ASSERT_EQ(top->value(), 60);
  const double scale = Scale();
  ASSERT_GT(scale, 0.0);
  Drag(Block::kCalendar, QPoint(30, 12));
  EXPECT_EQ(left->value(), 300 + std::lround(30 / scale));
  EXPECT_EQ(top->value(), 60 + std::lround(12 / scale));
  // The bars' own handlers ran: the working copy and the read-outs follow.
  EXPECT_EQ(form_->Copy().layout.calendar_x, left->value());
  EXPECT_EQ(Find<QLabel>("PanelCX")->text(), QString::number(left->value()));

  WaitForPicture();
  auto* schedule_left = Find<QScrollBar>("ScrollBarSchLeft");
  auto* schedule_top = Find<QScrollBar>("ScrollBarSchTop");
  Drag(Block::kSchedule, QPoint(-10, 25));
  EXPECT_EQ(schedule_left->value(), 40 - std::lround(10 / scale));
  EXPECT_EQ(schedule_top->value(), 300 + std::lround(25 / scale));
  EXPECT_EQ(form_->Copy().layout.schedule_y, schedule_top->value());
  // The calendar stayed where it was put.
  EXPECT_EQ(form_->Copy().layout.calendar_x, 300 + std::lround(30 / scale));
  // The redrawn picture has the block at its new place.
  WaitForPicture();
  EXPECT_EQ(Preview().Picture().layout.schedule_y, schedule_top->value());
  EXPECT_GE(Preview().Picture().schedule_area.top(), schedule_top->value());
}

TEST_F(PreviewPanelTest, PreviewTouchesNoFileAndDecodesTheBackgroundOnce) {
  const auto before = Files(folder_.Path());
  Open();
  for (int x : {10, 200, 420}) {
    Find<QScrollBar>("ScrollBarCalLeft")->setValue(x);
    Find<QScrollBar>("ScrollBarMonth")->setValue(x / 10);
    WaitForPicture();
  }
  form_->Copy().ActivePage().weekday = 0x0000FF;
  form_->PictureChanged();
  WaitForPicture();
  Find<QTabWidget>("PageControl2")->setCurrentIndex(2);
  ClickBox(Find<QCheckBox>("CheckBox3D"));
  WaitForPicture();
  Drag(Block::kCalendar, QPoint(5, 5));
  WaitForPicture();
  EXPECT_EQ(Preview().Backgrounds().Reads(), 1);
  EXPECT_EQ(Files(folder_.Path()), before);
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_EQ(installer_.installs, 0);
  EXPECT_EQ(launcher_.starts, 0);
}

TEST_F(PreviewPanelTest, MissingAndUnreadableBackgroundsAreExplainedInThePanel) {
  Open();
  auto* path = Find<QLineEdit>("EditWal1");
  path->setText("");
  emit path->textEdited("");
  ASSERT_TRUE(WaitUntil([this] { return Preview().IsCurrent(); }));
  EXPECT_TRUE(Preview().Problem().startsWith("指定された壁紙 [  ] がありません\n"));
  const auto broken = folder_ / "pictures" / "broken.bmp";
  testing::WriteBytes(broken, "BM this is no picture");
  path->setText(QString::fromStdString(broken.string()));
  emit path->textEdited(path->text());
  ASSERT_TRUE(WaitUntil([this] { return Preview().IsCurrent(); }));
  EXPECT_TRUE(Preview().Problem().endsWith("\n" + QString::fromStdString(broken.string())));
  EXPECT_TRUE(dialogs_.messages.empty());  // the preview opens no message box
}

TEST_F(PreviewPanelTest, SwitchHidesThePreviewAndIsSavedWithItsPage) {
  Open();
  Find<QTabWidget>("PageControl2")->setCurrentIndex(2);
  auto* box = Find<QCheckBox>("CheckBoxPreview");
  EXPECT_EQ(box->text(), "プレビューを表示する");
  EXPECT_TRUE(box->isChecked());
  ClickBox(box);
  EXPECT_FALSE(Preview().isVisible());
  auto* save = Find<QPushButton>("SpeedButtonSave");
  EXPECT_TRUE(save->isEnabled());
  save->click();
  EXPECT_NE(ReadBytes(folder_ / "MURVA32.INI").find("CalPreview=0"), std::string::npos);
  // Hidden, it draws nothing however the values change.
  Find<QScrollBar>("ScrollBarCalLeft")->setValue(5);
  QTest::qWait(50);
  EXPECT_FALSE(Preview().IsCurrent());
  ClickBox(box);
  EXPECT_TRUE(Preview().isVisible());
  WaitForPicture();
  EXPECT_EQ(Preview().Picture().layout.calendar_x, 5);
}

TEST_F(PreviewPanelTest, MessagesCarryTheIconOfTheirKindAndNameTheFile) {
  Open();
  // An explanation is information.
  Find<QTabWidget>("PageControl2")->setCurrentIndex(2);
  auto* tile = Find<QCheckBox>("CheckBoxTile");
  ClickBox(tile);
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].second, MessageIcon::kInformation);
  EXPECT_TRUE(dialogs_.messages[0].first.startsWith(
      "画面サイズより小さな壁紙でもタイルパターン表示にしません。"));
  // A picture no reader can use is an error, and the message names the file.
  const auto broken = folder_ / "pictures" / "broken.bmp";
  testing::WriteBytes(broken, "BM this is no picture");
  form_->Copy().ActivePage().path = broken.string();
  Find<QPushButton>("SpeedButtonMake")->click();
  ASSERT_EQ(dialogs_.messages.size(), 2u);
  EXPECT_EQ(dialogs_.messages[1].second, MessageIcon::kError);
  EXPECT_TRUE(dialogs_.messages[1].first.endsWith("\n" + QString::fromStdString(broken.string())));
}

TEST_F(PreviewPanelTest, AltROpensTheBrowseDialogOfTheFocusedArea) {
  Open();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  Find<QTabWidget>("PageControl2")->setCurrentIndex(4);  // 特別な設定: both buttons on screen
  auto* program = Find<QLineEdit>("EditPro");
  program->setFocus();
  QTest::keyClick(program, Qt::Key_R, Qt::AltModifier);
  ASSERT_TRUE(WaitUntil([this] { return dialogs_.file_filters.size() == 1; }));
  EXPECT_TRUE(dialogs_.file_filters[0].startsWith("プログラム (*)"));
  auto* path = Find<QLineEdit>("EditWal1");
  path->setFocus();
  QTest::keyClick(path, Qt::Key_R, Qt::AltModifier);
  ASSERT_TRUE(WaitUntil([this] { return dialogs_.file_filters.size() == 2; }));
  EXPECT_TRUE(dialogs_.file_filters[1].contains("BMP ファイル"));
  // Both captions stay as they are.
  EXPECT_EQ(Find<QPushButton>("SpeedButtonProRef")->text(), "参照(&R)");
  EXPECT_EQ(Find<QPushButton>("SpeedButtonPathW1")->text(), "壁紙(&R)");
}

TEST_F(PreviewPanelTest, WindowCarriesTheProgramIcon) {
  Open();
  EXPECT_FALSE(form_->windowIcon().isNull());
  EXPECT_FALSE(form_->windowIcon().pixmap(48).isNull());
}

// The preview takes the room a larger window has to spare, across and down,
// while the pages and the settings tabs keep the size their controls need.
TEST_F(PreviewPanelTest, PreviewGrowsWithTheWindow) {
  Open();
  const QSize sizes[] = {form_->minimumSize(), {1300, 850}, {1900, 1000}};
  QSize before(0, 0);
  std::vector<int> settings_heights;
  for (const QSize& size : sizes) {
    form_->resize(size);
    WaitForPicture();
    const QSize now = Preview().size();
    SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
    EXPECT_GT(now.width(), before.width());
    EXPECT_GT(now.height(), before.height());
    // The picture is drawn for the panel's new size.
    EXPECT_EQ(Preview().FitSize(), Preview().contentsRect().size() * Preview().devicePixelRatioF());
    settings_heights.push_back(Find<QWidget>("PageControl2")->height());
    before = now;
  }
  // Above the minimum the settings tabs keep their height: the room goes to
  // the preview, not to an emptier settings page.
  EXPECT_EQ(settings_heights[1], settings_heights[2]);
#ifdef MURVA_TEST_ARTEFACT_DIR
  std::filesystem::create_directories(MURVA_TEST_ARTEFACT_DIR);
  form_->grab().save(QString(MURVA_TEST_ARTEFACT_DIR) + "/panel-1900x1000-preview.png");
#endif
  // In a large window the picture can be read: most of what the window has
  // beside the pages.
  const int beside = form_->width() - Find<QWidget>("PageControl1")->width();
  EXPECT_GT(Preview().width(), beside * 3 / 4);
  EXPECT_GT(Preview().height(), form_->height() / 2);
}

// A block dragged far past the picture's edge stops where a part of it that
// can be picked up again is still on the picture; a press on that part
// picks it up again.
TEST_F(PreviewPanelTest, ADragToTheFarCornerKeepsTheBlockGrabbable) {
  Open();
  struct Case {
    Block block;
    QPoint by;  // panel pixels
  };
  const Case cases[] = {{Block::kCalendar, {3000, 3000}},
                        {Block::kSchedule, {3000, 3000}},
                        {Block::kCalendar, {3000, 0}},
                        {Block::kSchedule, {0, 3000}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.block == Block::kCalendar ? "calendar" : "schedule");
    // Each case from the blocks' first places, apart from each other.
    Find<QScrollBar>("ScrollBarCalLeft")->setValue(300);
    Find<QScrollBar>("ScrollBarCalTop")->setValue(60);
    Find<QScrollBar>("ScrollBarSchLeft")->setValue(40);
    Find<QScrollBar>("ScrollBarSchTop")->setValue(300);
    WaitForPicture();
    Drag(c.block, c.by);
    WaitForPicture();
    const QRectF picture = Preview().PictureRect();
    const QRectF area = Preview().AreaOnPanel(c.block);
    const QRectF visible = area.intersected(picture);
    ASSERT_FALSE(visible.isEmpty()) << area.x() << "," << area.y() << " " << area.width() << "x"
                                    << area.height() << " in " << picture.width() << "x"
                                    << picture.height();
    EXPECT_GE(visible.width() + 0.5, std::min(area.width(), 20.0));
    EXPECT_GE(visible.height() + 0.5, std::min(area.height(), 20.0));
    // Picked up on its visible part and brought back.
    const bool calendar = c.block == Block::kCalendar;
    auto* left = Find<QScrollBar>(calendar ? "ScrollBarCalLeft" : "ScrollBarSchLeft");
    auto* top = Find<QScrollBar>(calendar ? "ScrollBarCalTop" : "ScrollBarSchTop");
    const int left_before = left->value();
    const int top_before = top->value();
    const QPoint grip = visible.center().toPoint();
    QTest::mousePress(&Preview(), Qt::LeftButton, {}, grip);
    QTest::mouseMove(&Preview(), grip - QPoint(20, 20));
    QTest::mouseRelease(&Preview(), Qt::LeftButton, {}, grip - QPoint(20, 20));
    EXPECT_LT(left->value(), left_before);
    EXPECT_LT(top->value(), top_before);
  }
}

// A double click (or the "原寸" button) shows the wallpaper one to one in a
// window of its own: the picture the panel shows scaled down.
TEST_F(PreviewPanelTest, DoubleClickShowsTheWallpaperAtFullSize) {
  Open();
  const QPoint middle = Preview().rect().center();
  QTest::mouseDClick(&Preview(), Qt::LeftButton, {}, middle);
  PreviewWindow* window = Preview().FullSizeWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  const QImage full = window->Picture();
  EXPECT_EQ(full.size(), Preview().Picture().wallpaper_size);
  WallpaperCanvas canvas;
  canvas.image = full;
  EXPECT_TRUE(ScaleForPreview(canvas, Preview().FitSize()) == Preview().Picture().image);
  EXPECT_TRUE(window->windowTitle().contains("原寸"));
#ifdef MURVA_TEST_ARTEFACT_DIR
  full.save(QString(MURVA_TEST_ARTEFACT_DIR) + "/preview-full-size.png");
#endif
  // It scrolls over a picture larger than itself, and follows the edits.
  window->resize(200, 150);
  QApplication::processEvents();
  EXPECT_TRUE(window->horizontalScrollBar()->maximum() > 0);
  // Esc closes it, and only it.
  QTest::keyClick(window, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(form_->isVisible());
  Find<QToolButton>("SpeedButtonFullSize")->click();
  EXPECT_TRUE(window->isVisible());
  Find<QScrollBar>("ScrollBarCalLeft")->setValue(12);
  ASSERT_TRUE(WaitUntil([&] { return !(window->Picture() == full); }));
  window->close();
}

}  // namespace
}  // namespace murva
