#include "ui/info_panel.h"

#include <QGridLayout>
#include <QLabel>

#include "ui/ui_helpers.h"

namespace murva {

InfoPanel::InfoPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("PanelInfo");
  setFrameShape(QFrame::StyledPanel);
  setStyleSheet("QFrame#PanelInfo { background-color: #000080; }");
  // Two lines under the preview: the status line, then the version and the
  // countdown, so that the panel asks for little width.
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(6, 3, 6, 3);
  layout->setVerticalSpacing(2);
  info_label_ = new QLabel(this);
  info_label_->setObjectName("LabelInfo");
  version_ = new QLabel(this);
  version_->setObjectName("LabelVer2");
  version_->setStyleSheet("color: white;");
  wait_panel_ = MakePanel(this, "PanelWait");
  wait_panel_->setStyleSheet("color: yellow;");
  wait_panel_->setMinimumWidth(wait_panel_->fontMetrics().horizontalAdvance("0000") + 8);
  layout->addWidget(info_label_, 0, 0, 1, 2);
  layout->addWidget(version_, 1, 0);
  layout->addWidget(wait_panel_, 1, 1);
  layout->setColumnStretch(0, 1);
  hide();
}

void InfoPanel::SetStatus(const std::string& text, Color color) {
  info_label_->setText(ToQString(text));
  SetStyleSheet(info_label_, QString("color: %1;").arg(ToQColor(color).name()));
}

void InfoPanel::SetCountdown(int seconds) { wait_panel_->setText(QString::number(seconds)); }

void InfoPanel::SetVersionLabel(const std::string& text) { version_->setText(ToQString(text)); }

}  // namespace murva
