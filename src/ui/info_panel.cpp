#include "ui/info_panel.h"

#include <QHBoxLayout>
#include <QLabel>

#include "ui/ui_helpers.h"

namespace murva {

InfoPanel::InfoPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("PanelInfo");
  setFrameShape(QFrame::StyledPanel);
  setStyleSheet("QFrame#PanelInfo { background-color: #000080; }");
  auto* layout = new QHBoxLayout(this);
  info_label_ = new QLabel(this);
  info_label_->setObjectName("LabelInfo");
  version_ = new QLabel(this);
  version_->setObjectName("LabelVer2");
  version_->setStyleSheet("color: white;");
  wait_panel_ = MakePanel(this, "PanelWait");
  wait_panel_->setStyleSheet("color: yellow;");
  layout->addWidget(info_label_, 1);
  layout->addWidget(version_);
  layout->addWidget(wait_panel_);
  hide();
}

void InfoPanel::SetStatus(const std::string& text, Color color) {
  info_label_->setText(ToQString(text));
  SetStyleSheet(info_label_, QString("color: %1;").arg(ToQColor(color).name()));
}

void InfoPanel::SetCountdown(int seconds) { wait_panel_->setText(QString::number(seconds)); }

void InfoPanel::SetVersionLabel(const std::string& text) { version_->setText(ToQString(text)); }

}  // namespace murva
