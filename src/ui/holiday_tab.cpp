#include "ui/holiday_tab.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/calendar_widget.h"
#include "ui/panel_context.h"

namespace murva {

HolidayTab::HolidayTab(PanelContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName("TabSheetS4");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel("設定を保存したら一度終了してください．次の起動時から有効になります．", this));
  layout->addStretch(1);
  // The drawing code's calendar engine lives here, outside the visible area.
  calendar_ex1_ = new TCalendarWidget(this);
  calendar_ex1_->setObjectName("CalendarEx1");
  calendar_ex1_->setGeometry(-1000, -1000, 180, 150);
}

void HolidayTab::Show() {}

}  // namespace murva
