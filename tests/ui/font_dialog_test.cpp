// The font dialogs of "基本の設定" and "タイトル入力" open on the font the
// wallpaper is drawn with, and OK without a change changes nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QProcess>
#include <QTimer>

#include "app/font_choice.h"
#include "panel_fixture.h"

namespace murva {
namespace {

using testing::PanelFixture;

// The desktop's own font dialog, accepted by a "user" who looks at it and
// presses OK without touching anything.
class UntouchedFontDialogs : public testing::ScriptedDialogs {
 public:
  std::vector<QFont> shown;  // what each dialog showed when it came up

  std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override {
    QTimer::singleShot(0, [this] {
      auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      shown.push_back(dialog->currentFont());
      dialog->accept();
    });
    return Dialogs::ChooseFont(parent, initial);
  }
};

class FontDialogTest : public PanelFixture {
 protected:
  TFormMain& OpenWithRealDialogs() {
    Open();
    form_->SetDialogs(real_);
    return *form_;
  }
  UntouchedFontDialogs real_;
};

struct FontCase {
  const char* button;
  const char* tab_index;  // the settings tab the button is on
  std::function<FontSetting(const WorkingCopy&)> font;
};

const std::vector<FontCase>& Cases() {
  static const std::vector<FontCase> cases = {
      {"SpeedButtonFontDay", "0", [](const WorkingCopy& c) { return c.date_font; }},
      {"SpeedButtonSch", "0", [](const WorkingCopy& c) { return c.schedule_font; }},
      {"SpeedButtonTitle1", "1", [](const WorkingCopy& c) { return c.titles[0].font; }},
      {"SpeedButtonTitle2", "1", [](const WorkingCopy& c) { return c.titles[1].font; }},
      {"SpeedButtonTitle3", "1", [](const WorkingCopy& c) { return c.titles[2].font; }},
      {"SpeedButtonTitle4", "1", [](const WorkingCopy& c) { return c.titles[3].font; }},
  };
  return cases;
}

// Stored names that map to an installed font, one that only stands for a
// generic family, and one that is not installed at all: the dialog shows
// what fontconfig draws for each, at the stored size and style.
TEST_F(FontDialogTest, EveryFontDialogOpensOnTheFontInUseAndOkUnchangedChangesNothing) {
  const std::string fonts[] = {"ＭＳ ゴシック", "ＭＳ Ｐ明朝", "Sans Serif", "NoSuchFontAnywhere"};
  for (const std::string& name : fonts) {
    SCOPED_TRACE(name);
    std::string keys = "CalenTitle=1\r\nCalFntName=" + name + "\r\nCalFntSize=13\r\nCalFntStyl=1\r\n" +
                       "SchFntName=" + name + "\r\nSchFntSize=9\r\nSchFntStyl=3\r\n";
    for (int line = 1; line <= 4; ++line) {
      const std::string n = std::to_string(line);
      keys += "TiFntName" + n + "=" + name + "\r\nTiFntSize" + n + "=2" + n + "\r\nTiFntStyl" + n +
              "=" + std::to_string(line % 2) + "\r\n";
    }
    WriteSettings(keys);
    real_.shown.clear();
    OpenWithRealDialogs();
    const std::string before = testing::ReadBytes(folder_ / "MURVA32.INI");
    const WorkingCopy copy_before = form_->Cycle().Copy();
    for (const FontCase& c : Cases()) {
      SCOPED_TRACE(c.button);
      Find<QTabWidget>("PageControl2")->setCurrentIndex(std::stoi(c.tab_index));
      const std::size_t dialogs = real_.shown.size();
      Find<QPushButton>(c.button)->click();
      ASSERT_EQ(real_.shown.size(), dialogs + 1) << "no font dialog came up";
      const FontSetting stored = c.font(copy_before);
      const QFont& shown = real_.shown.back();
      // The family the wallpaper is drawn with, as the dialog lists it.
      EXPECT_EQ(shown.family(), QFontInfo(SampleFontOf(stored)).family());
      EXPECT_TRUE(QFontDatabase::families().contains(shown.family()));
      EXPECT_EQ(shown.pointSize(), stored.size);
      // Accepted as it came up: the setting stays exactly as stored.
      const FontSetting now = c.font(form_->Cycle().Copy());
      EXPECT_EQ(now.name, stored.name);
      EXPECT_EQ(now.size, stored.size);
      EXPECT_EQ(now.style, stored.style);
    }
    // Nothing to save, nothing written, the picture's inputs as they were.
    EXPECT_TRUE(form_->Cycle().Edits().UnsavedParts(form_->Cycle().Copy()).empty());
    EXPECT_EQ(testing::ReadBytes(folder_ / "MURVA32.INI"), before);
    for (int line = 0; line < 4; ++line) {
      EXPECT_EQ(form_->Cycle().Copy().titles[line].size_text, copy_before.titles[line].size_text);
    }
  }
}

// The families a font dialog lists are named in the desktop's language
// ("IPAゴシック" on a Japanese desktop): the dialog still opens on the font the
// wallpaper is drawn with, and OK leaves the setting as it was.
TEST(FontDialogLanguages, TheDialogFindsTheFontInUseUnderEveryLanguage) {
  for (const char* lang : {"ja_JP.UTF-8", "C.UTF-8"}) {
    SCOPED_TRACE(lang);
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) environment.remove(name);
    environment.insert("LANG", lang);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    probe.setProcessEnvironment(environment);
    probe.start(QString(MURVA_TEST_BIN_DIR) + "/font_dialog_probe", {});
    ASSERT_TRUE(probe.waitForFinished(30000));
    const QStringList lines =
        QString::fromUtf8(probe.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << lines.join('|').toStdString();
    for (const QString& line : lines) {
      const QStringList fields = line.split('|');
      ASSERT_EQ(fields.size(), 3) << line.toStdString();
      EXPECT_EQ(fields[0], fields[1]) << line.toStdString();  // shown = drawn
      EXPECT_EQ(fields[2], "same") << line.toStdString();
    }
    // The mapped Windows name comes up as the installed Japanese font.
    if (QString(lang).startsWith("ja")) {
      EXPECT_EQ(lines[0].section('|', 0, 0), "IPAゴシック");
    }
  }
}

// A font really chosen is taken: name as the settings know it, size, style.
TEST_F(FontDialogTest, AChosenFontIsTakenWithItsSizeAndStyle) {
  WriteSettings("");
  Open();
  QFont chosen("IPAMincho");
  chosen.setPointSize(15);
  chosen.setItalic(true);
  dialogs_.fonts = {chosen};
  Find<QPushButton>("SpeedButtonFontDay")->click();
  const FontSetting& font = form_->Cycle().Copy().date_font;
  EXPECT_EQ(font.name, "ＭＳ 明朝");
  EXPECT_EQ(font.size, 15);
  EXPECT_EQ(font.style, kStyleItalic);
  EXPECT_TRUE(form_->Cycle().Edits().BasicUnsaved(form_->Cycle().Copy()));
}

}  // namespace
}  // namespace murva
