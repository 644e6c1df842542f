// The program's icon and the language of the standard dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QProcess>
#include <QPushButton>
#include <QTranslator>

#include "ui/application_look.h"

namespace murva {
namespace {

// The button texts the probe prints when started with the given locale.
QStringList DialogTextsUnder(const QString& lang, const QString& language) {
  QProcess probe;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) environment.remove(name);
  environment.insert("LANG", lang);
  if (!language.isEmpty()) environment.insert("LANGUAGE", language);
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  probe.setProcessEnvironment(environment);
  probe.start(QString(MURVA_TEST_BIN_DIR) + "/dialog_texts_probe", {});
  if (!probe.waitForFinished(30000)) return {};
  return QString::fromUtf8(probe.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

TEST(QtTranslations, StandardDialogsSpeakJapaneseUnderAJapaneseLocale) {
  const QStringList japanese = DialogTextsUnder("ja_JP.UTF-8", "ja_JP:ja");
  ASSERT_EQ(japanese.size(), 4) << japanese.join('|').toStdString();
  EXPECT_TRUE(japanese[0].startsWith("開く")) << japanese[0].toStdString();
  EXPECT_EQ(japanese[1], "キャンセル");
  EXPECT_TRUE(japanese[2].startsWith("はい")) << japanese[2].toStdString();
  EXPECT_TRUE(japanese[3].startsWith("いいえ")) << japanese[3].toStdString();
  // Without a Japanese locale they stay Qt's own.
  const QStringList english = DialogTextsUnder("C.UTF-8", "");
  ASSERT_EQ(english.size(), 4);
  EXPECT_EQ(english[1], "Cancel");
}

TEST(QtTranslations, LoadsForTheLocaleItIsGiven) {
  ASSERT_TRUE(InstallQtTranslations(*qApp, QLocale(QLocale::Japanese, QLocale::Japan)));
  QDialogButtonBox box(QDialogButtonBox::Cancel);
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), "キャンセル");
  for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  QDialogButtonBox english(QDialogButtonBox::Cancel);
  EXPECT_EQ(english.button(QDialogButtonBox::Cancel)->text(), "Cancel");
}

TEST(ApplicationIcon, IsThePictureOfTheProgram) {
  const QIcon icon = ApplicationIcon();
  ASSERT_FALSE(icon.isNull());
  const QImage image = icon.pixmap(64).toImage();
  ASSERT_FALSE(image.isNull());
  // The calendar sheet's red band lies in the upper left of the picture.
  const QColor band = image.pixelColor(image.width() * 20 / 64, image.height() * 14 / 64);
  EXPECT_GT(band.red(), 150);
  EXPECT_LT(band.green(), 80);
}

}  // namespace
}  // namespace murva
