// The file dialogs open large enough to show their columns, in the folder
// the user chose from last in this session.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QTreeView>
#include <QTimer>

#include "panel_fixture.h"

namespace murva {
namespace {

using testing::PanelFixture;
using testing::TempFolder;

// Where and how large each dialog came up; it then picks `pick`.
struct DialogLook {
  QString folder;
  QSize size;
  bool columns_fit = false;  // size, type and date shown whole, names roomy
};

// Whether the detail view shows the size, type and date whole and leaves
// the names room; nullopt while its files are still being listed.
std::optional<bool> ColumnsFit(QFileDialog* dialog) {
  auto* view = dialog->findChild<QTreeView*>();
  if (!view || !view->isVisible() || !view->model() ||
      view->model()->rowCount(view->rootIndex()) == 0) {
    return std::nullopt;
  }
  QHeaderView* header = view->header();
  if (header->sectionSize(0) < 200) return false;
  for (int column = 1; column < header->count(); ++column) {
    if (header->isSectionHidden(column)) continue;
    const int content = static_cast<QAbstractItemView*>(view)->sizeHintForColumn(column);
    if (header->sectionSize(column) < std::max(content, header->sectionSizeHint(column))) {
      return false;
    }
  }
  return true;
}

// Looks at the dialog once it lists its files (or after two seconds), then
// picks `pick`.
DialogLook OpenAndPick(Dialogs& dialogs, const QString& folder, const QString& pick,
                       QString& chosen) {
  DialogLook look;
  bool looked = false;
  QTimer poll;
  int tries = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || ++tries > 1000) return;
    if (!looked) {
      const std::optional<bool> fit = ColumnsFit(dialog);
      if (!fit && tries < 200) return;
      looked = true;
      look.folder = dialog->directory().absolutePath();
      look.size = dialog->size();
      look.columns_fit = fit.value_or(false);
    }
    // Typed into the name field, as a user may type it.
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText(pick);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  poll.start(10);
  chosen = dialogs.OpenFileName(nullptr, folder, "画像ファイル (*.bmp)");
  return look;
}

TEST(FileDialog, OpensLargeInTheFolderGivenOrTheOneUsedLast) {
  TempFolder root;
  const auto first = root / "first";
  const auto second = root / "second";
  std::filesystem::create_directories(first);
  std::filesystem::create_directories(second);
  testing::WriteBytes(first / "a.bmp", "BM");
  testing::WriteBytes(second / "b.bmp", "BM");
  Dialogs dialogs;
  const auto q = [](const std::filesystem::path& path) { return QString::fromStdString(path.string()); };
  const struct {
    QString folder;  // asked for; empty: none
    QString pick;
    QString opens_in;
  } cases[] = {
      {q(first), q(first / "a.bmp"), q(first)},
      {QString(), q(first / "a.bmp"), q(first)},  // where the last file was chosen
      {q(second), q(second / "b.bmp"), q(second)},
      {QString(), q(second / "b.bmp"), q(second)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pick.toStdString());
    QString chosen;
    const DialogLook look = OpenAndPick(dialogs, c.folder, c.pick, chosen);
    EXPECT_EQ(look.folder, c.opens_in);
    EXPECT_EQ(look.size, FileDialogSize(nullptr));
    EXPECT_TRUE(look.columns_fit);
    EXPECT_EQ(chosen, c.pick);
  }
  // As large as the screen has room for, up to a size that shows the
  // columns with long names.
  const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size() * 9 / 10;
  EXPECT_EQ(FileDialogSize(nullptr), QSize(900, 560).boundedTo(room));
}

// A background chosen on a page: the next background dialog of the session
// opens in that file's folder.
class BackgroundFolderTest : public PanelFixture {};

TEST_F(BackgroundFolderTest, TheNextBackgroundDialogOpensWhereTheLastFileWasChosen) {
  WriteSettings("BmpInitFld=/pictures/start\r\n");
  Open();
  dialogs_.files = {"/home/user/sea side/wave.png", "/home/user/hills/dawn.png"};
  Find<QPushButton>("SpeedButtonPathW1")->click();
  Find<QPushButton>("SpeedButtonPathW1")->click();
  ASSERT_EQ(dialogs_.folders.size(), 2u);
  EXPECT_EQ(dialogs_.folders[0], "/pictures/start");
  EXPECT_EQ(dialogs_.folders[1], "/home/user/sea side");
}

}  // namespace
}  // namespace murva
