#include "ui/wallpaper_pages.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include "app/background_filter.h"
#include "app/page_colors.h"
#include "imaging/picture_format_registry.h"
#include "settings/setting_keys.h"
#include "ui/panel_context.h"
#include "ui/pending_tab.h"
#include "ui/qt_colors.h"
#include "ui/upper_panel.h"
#include "ui/wallpaper_page.h"

namespace murva {
namespace {

bool SwatchColorsDiffer(const PageValues& a, const PageValues& b) {
  for (int swatch = 0; swatch < kSwatchCount; ++swatch) {
    if (SwatchColor(a, swatch) != SwatchColor(b, swatch)) return true;
  }
  return false;
}

}  // namespace

WallpaperPages::WallpaperPages(PanelContext& context, UpperPanel& upper_panel,
                               TabPageMaker& page_maker, QWidget* parent)
    : QTabWidget(parent), context_(context), upper_panel_(upper_panel) {
  setObjectName("PageControl1");
  for (int page = 1; page <= kPageCount; ++page) {
    page_maker.AddPage(*this, "wallpaper." + std::to_string(page),
                       QString("壁紙 %1").arg(QChar(0xFF10 + page)),
                       [this, page](QWidget* parent) { return MakePage(page, parent); });
  }
  connect(this, &QTabWidget::currentChanged, this, &WallpaperPages::PageControl1Change);
  // A position bar moved, by the user or by a program setting its value:
  // this is the one way a position changes.
  connect(&upper_panel_, &UpperPanel::PositionBarChanged, this, [this](LayoutBar bar) {
    PositionChange(bar);
    context_.PictureChanged();
  });
  // Any bar moved by the user (or by a button acting for the user) is an
  // edit of the shown page.
  connect(&upper_panel_, &UpperPanel::LayoutChanged, this,
          [this] { Edited(context_.Copy().wallpaper_page); });
}

void WallpaperPages::Edited(int page) { context_.Cycle().Edits().MarkPage(page); }

QWidget* WallpaperPages::MakePage(int page, QWidget* parent) {
  auto* sheet = new WallpaperPage(page, parent);
  sheet->setObjectName(QString("TabSheetW%1").arg(page));
  pages_[page - 1] = sheet;
  connect(sheet, &WallpaperPage::PathEdited, this, [this](int n, const QString& path) {
    context_.Copy().pages[n - 1].path = path.toStdString();
    Edited(n);
    context_.PictureChanged();
  });
  connect(sheet, &WallpaperPage::BrowseClicked, this, &WallpaperPages::SpeedButtonPathWClick);
  connect(sheet, &WallpaperPage::OrientationClicked, this, &WallpaperPages::SpeedButtonHVClick);
  connect(sheet, &WallpaperPage::ColorClicked, this, &WallpaperPages::SwatchClick);
  connect(sheet, &WallpaperPage::InitialColorsClicked, this, &WallpaperPages::SpeedButtonIniClick);
  connect(sheet, &WallpaperPage::CopyPositionsClicked, this,
          &WallpaperPages::SpeedButtonCopyClick);
  connect(sheet, &WallpaperPage::ShadowClicked, this, &WallpaperPages::Label3DClick);
  // A page made after the first showing shows its values at once.
  if (shown_) sheet->Show(context_.Copy().pages[page - 1]);
  return sheet;
}

WallpaperPage& WallpaperPages::Page(int page) {
  MakePendingPage(*this, page - 1);
  return *pages_[page - 1];
}

void WallpaperPages::Show() {
  const WorkingCopy& copy = context_.Copy();
  shown_ = true;
  {
    const QSignalBlocker block(this);
    setCurrentIndex(copy.wallpaper_page - 1);
  }
  MakePendingPage(*this, copy.wallpaper_page - 1);
  for (int page = 1; page <= kPageCount; ++page) {
    if (pages_[page - 1]) pages_[page - 1]->Show(copy.pages[page - 1]);
  }
}

void WallpaperPages::PositionChange(LayoutBar bar) {
  WorkingCopy& copy = context_.Copy();
  QScrollBar* scroll = upper_panel_.Bar(bar);
  // The bars range over the screen the positions were placed on, so that a
  // smaller screen never cuts them back.
  const ScreenSize screen = PositionScreen();
  const int extent = IsVerticalAxis(bar) ? screen.height : screen.width;
  {
    // A position beyond the new range is clamped; this handler is already
    // the one that shows it.
    const QSignalBlocker block(scroll);
    scroll->setRange(0, std::max(extent, 0));
  }
  const int position = scroll->value();
  copy.layout.*LayoutField(bar) = position;
  upper_panel_.ShowPositionReadout(bar, position);
  const int page = copy.wallpaper_page;
  Page(page).ShowPosition(bar, position, extent, copy.pages[page - 1].IsVertical());
}

ScreenSize WallpaperPages::PositionScreen() const {
  const ScreenReference& placed = context_.Copy().layout.screen;
  return placed.Known() ? ScreenSize{placed.width, placed.height} : context_.Screen();
}

void WallpaperPages::RefreshPagePositions() {
  const int page = context_.Copy().wallpaper_page;
  Page(page).ShowCalendarMarker(context_.Copy().pages[page - 1].IsVertical());
  for (LayoutBar bar : kPositionRefreshOrder) PositionChange(bar);
}

void WallpaperPages::PageControl1Change(int index) {
  MakePendingPage(*this, index);
  context_.Guarded([this, index] { context_.Cycle().ShowWallpaperPage(index + 1); });
  RefreshPagePositions();
  for (LayoutBar bar : kPositionRefreshOrder) PositionChange(bar);
  context_.PictureChanged();
}

void WallpaperPages::SpeedButtonPathWClick(int page) {
  WorkingCopy& copy = context_.Copy();
  const QString file =
      context_.Dialog().OpenFileName(this, ToQString(copy.bitmap_folder),
                                     ToQString(BackgroundFileFilter(PictureFormatRegistry())));
  if (file.isEmpty()) return;
  copy.pages[page - 1].path = file.toStdString();
  Edited(page);
  const std::string folder = FolderOfChosenFile(file.toStdString());
  // The next dialog of this session opens where this one ended.
  copy.bitmap_folder = folder;
  context_.Guarded([this, folder] {
    context_.Cycle().Store().WriteRecord(context_.Copy(), KeyName(keys::kBmpInitFld), folder);
  });
  context_.PictureChanged();
}

void WallpaperPages::SpeedButtonHVClick(int page) {
  WorkingCopy& copy = context_.Copy();
  PageValues& values = copy.pages[page - 1];
  const ScreenSize screen = PositionScreen();
  const MarkerPlace place = OrientationMarkerPlace(copy.layout.calendar_x, copy.layout.calendar_y,
                                                   screen.width, screen.height);
  values.orientation = values.IsVertical() ? kHorizontalCaption : kVerticalCaption;
  Edited(page);
  Page(page).ShowCalendarMarker(values.IsVertical());
  Page(page).PlaceCalendarMarker(values.IsVertical(), place);
  context_.RefreshControls();
  context_.PictureChanged();
}

void WallpaperPages::SwatchClick(int page, int swatch) {
  Color& color = SwatchColor(context_.Copy().pages[page - 1], swatch);
  const std::optional<QColor> chosen = context_.Dialog().ChooseColor(this, ToQColor(color));
  if (!chosen || FromQColor(*chosen) == color) return;
  color = FromQColor(*chosen);
  Edited(page);
  context_.RefreshControls();
  context_.PictureChanged();
}

void WallpaperPages::SpeedButtonIniClick(int page) {
  PageValues& values = context_.Copy().pages[page - 1];
  const PageValues before = values;
  ResetTextColors(values);
  if (SwatchColorsDiffer(before, values)) Edited(page);
  context_.RefreshControls();
  context_.PictureChanged();
}

void WallpaperPages::SpeedButtonCopyClick(int /*page*/) {
  // Page 1's values as last saved, whatever page 1 shows unsaved; each bar
  // whose position changes runs its own handler.
  context_.Guarded([this] {
    const PageLayout stored = context_.Cycle().Store().ReadStoredLayoutOfPage(context_.Copy(), 1);
    for (LayoutBar bar : kCopyPositionsOrder) {
      upper_panel_.Bar(bar)->setValue(stored.*LayoutField(bar));
    }
  });
}

void WallpaperPages::Label3DClick(int page) {
  Color& shadow = context_.Copy().pages[page - 1].shadow;
  const Color next = NextShadowColor(shadow);
  if (next != shadow) Edited(page);
  shadow = next;
  context_.RefreshControls();
  context_.PictureChanged();
}

}  // namespace murva
