#include "ui/title_tab.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/messages.h"
#include "ui/panel_context.h"

namespace murva {

TitleTab::TitleTab(PanelContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName("TabSheetS2");
  auto* layout = new QGridLayout(this);
  auto* hint = new QPushButton("説明", this);
  hint->setObjectName("SpeedButtonHint2");
  connect(hint, &QPushButton::clicked, this, [this] { SpeedButtonHint2Click(); });
  layout->addWidget(new QLabel("「基本の設定」とこのページの設定は作成時に自動保存されます", this), 0, 0);
  layout->addWidget(hint, 0, 1);
  layout->setRowStretch(1, 1);
}

void TitleTab::Show() {}

void TitleTab::SpeedButtonHint2Click() { context_.ShowMessage(text::TitleHelpText()); }

}  // namespace murva
