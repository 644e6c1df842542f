#include "ui/basic_settings_tab.h"

#include <QGridLayout>
#include <QLabel>

#include "ui/panel_context.h"
#include "ui/ui_helpers.h"

namespace murva {

BasicSettingsTab::BasicSettingsTab(PanelContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("TabSheetS1");
  auto* layout = new QGridLayout(this);
  mode_panel_ = MakePanel(this, "PanelModeDsp");
  version_ = new QLabel(this);
  version_->setObjectName("LabelVer1");
  last_page_panel_ = MakePanel(this, "PanelWallInd");
  layout->addWidget(mode_panel_, 0, 0);
  layout->addWidget(new QLabel("前回の壁紙", this), 0, 1);
  layout->addWidget(last_page_panel_, 0, 2);
  layout->addWidget(version_, 0, 3);
  layout->setRowStretch(1, 1);
}

void BasicSettingsTab::Show() { last_page_panel_->setText(ToQString(context_.Copy().last_used_page)); }

void BasicSettingsTab::ShowModeIndicator(const std::string& text, Color panel, Color font) {
  mode_panel_->setText(ToQString(text));
  mode_panel_->setStyleSheet(ColorSheet(panel, font));
}

void BasicSettingsTab::SetVersionLabel(const std::string& text) { version_->setText(ToQString(text)); }

}  // namespace murva
