#include "ui/wallpaper_pages.h"

#include <QFileInfo>
#include <QSignalBlocker>

#include "settings/setting_keys.h"
#include "ui/panel_context.h"
#include "ui/qt_colors.h"
#include "ui/wallpaper_page.h"

namespace murva {

WallpaperPages::WallpaperPages(PanelContext& context, QWidget* parent)
    : QTabWidget(parent), context_(context) {
  setObjectName("PageControl1");
  for (int page = 1; page <= kPageCount; ++page) {
    auto* sheet = new WallpaperPage(page, this);
    sheet->setObjectName(QString("TabSheetW%1").arg(page));
    pages_[page - 1] = sheet;
    addTab(sheet, QString("壁紙 %1").arg(QChar(0xFF10 + page)));
    connect(sheet, &WallpaperPage::PathEdited, this, [this](int n, const QString& path) {
      context_.Copy().pages[n - 1].path = path.toStdString();
      context_.PictureChanged();
    });
    connect(sheet, &WallpaperPage::BrowseClicked, this, &WallpaperPages::SpeedButtonPathWClick);
    connect(sheet, &WallpaperPage::OrientationClicked, this, &WallpaperPages::SpeedButtonHVClick);
    connect(sheet, &WallpaperPage::ColorClicked, this, &WallpaperPages::SwatchClick);
    connect(sheet, &WallpaperPage::InitialColorsClicked, this, &WallpaperPages::SpeedButtonIniClick);
    connect(sheet, &WallpaperPage::ShadowClicked, this, &WallpaperPages::Label3DClick);
  }
  connect(this, &QTabWidget::currentChanged, this, &WallpaperPages::PageControl1Change);
}

void WallpaperPages::Show() {
  const WorkingCopy& copy = context_.Copy();
  {
    const QSignalBlocker block(this);
    setCurrentIndex(copy.wallpaper_page - 1);
  }
  for (int page = 1; page <= kPageCount; ++page) pages_[page - 1]->Show(copy.pages[page - 1]);
}

void WallpaperPages::PageControl1Change(int index) {
  context_.Guarded([this, index] {
    context_.Copy().wallpaper_page = index + 1;
    context_.Cycle().Store().LoadPageSettings(context_.Copy());
  });
  context_.PictureChanged();
}

void WallpaperPages::SpeedButtonPathWClick(int page) {
  WorkingCopy& copy = context_.Copy();
  const QString file = context_.Dialog().OpenFileName(
      this, ToQString(copy.bitmap_folder), "BMP files (*.BMP *.bmp);;Other Graphic files(*.*) (*)");
  if (file.isEmpty()) return;
  copy.pages[page - 1].path = file.toStdString();
  const std::string folder = QFileInfo(file).absolutePath().toStdString();
  context_.Guarded([this, folder] {
    context_.Cycle().Store().WriteRecord(context_.Copy(), KeyName(keys::kBmpInitFld), folder);
  });
  context_.PictureChanged();
}

void WallpaperPages::SpeedButtonHVClick(int page) {
  PageValues& values = context_.Copy().pages[page - 1];
  values.orientation = values.IsVertical() ? kHorizontalCaption : kVerticalCaption;
  context_.RefreshControls();
  context_.PictureChanged();
}

void WallpaperPages::SwatchClick(int page, int swatch) {
  Color& color = SwatchColor(context_.Copy().pages[page - 1], swatch);
  const std::optional<QColor> chosen = context_.Dialog().ChooseColor(this, ToQColor(color));
  if (!chosen) return;
  color = FromQColor(*chosen);
  context_.RefreshControls();
  context_.PictureChanged();
}

void WallpaperPages::SpeedButtonIniClick(int page) {
  PageValues& values = context_.Copy().pages[page - 1];
  for (int swatch = 0; swatch < 8; ++swatch) SwatchColor(values, swatch) = SwatchColor(PageValues{}, swatch);
  context_.RefreshControls();
  context_.PictureChanged();
}

void WallpaperPages::Label3DClick(int page) {
  Color& shadow = context_.Copy().pages[page - 1].shadow;
  switch (shadow) {
    case 0x000000: shadow = 0xFFFFFF; break;
    case 0xFFFFFF: shadow = 0xC0C0C0; break;
    case 0xC0C0C0: shadow = 0x808080; break;
    case 0x808080: shadow = 0x000000; break;
    default: break;  // a colour outside the cycle stays
  }
  context_.RefreshControls();
  context_.PictureChanged();
}

}  // namespace murva
