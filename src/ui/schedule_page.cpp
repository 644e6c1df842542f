#include "ui/schedule_page.h"

#include <QVBoxLayout>

#include "ui/panel_context.h"

namespace murva {

SchedulePage::SchedulePage(PanelContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("PanelBaseD");
  new QVBoxLayout(this);
}

void SchedulePage::Show() {}

}  // namespace murva
