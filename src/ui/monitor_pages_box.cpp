#include "ui/monitor_pages_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <cmath>

#include "app/monitor_pages.h"
#include "ui/ui_helpers.h"

namespace murva {

MonitorPagesBox::MonitorPagesBox(WorkingCopy& copy, QWidget* parent)
    : QGroupBox(" モニタごとの壁紙 ", parent), copy_(copy) {
  setObjectName("GroupBoxMonitors");
  auto* layout = new QHBoxLayout(this);
  rows_ = new QGridLayout;
  layout->addLayout(rows_, 1);
  fit_text_ = MakeCheckBox(this, "CheckBoxFitScale", "文字の大きさを画面の倍率に合わせる");
  fit_text_->setToolTip(
      "倍率 200 % の 4K モニタでも 100 % のモニタと同じ大きさにカレンダと文字を描きます");
  layout->addWidget(fit_text_, 0, Qt::AlignTop);
  connect(fit_text_, &QCheckBox::clicked, this, [this](bool on) {
    copy_.fit_text_to_scale = on;
    emit Edited();
    emit PictureValueChanged();
  });
}

void MonitorPagesBox::SetMonitors(const MonitorLayout& monitors) {
  monitors_ = monitors;
  for (QComboBox* box : pages_) box->deleteLater();
  pages_.clear();
  while (QLayoutItem* item = rows_->takeAt(0)) {
    if (item->widget()) item->widget()->deleteLater();
    delete item;
  }
  for (int row = 0; row < static_cast<int>(monitors_.size()); ++row) {
    const Monitor& monitor = monitors_[static_cast<std::size_t>(row)];
    QString name = QString::fromStdString(monitor.name.empty() ? "?" : monitor.name);
    if (monitor.primary) name += "（主）";
    rows_->addWidget(new QLabel(name, this), row, 0);
    rows_->addWidget(new QLabel(QString("%1×%2  %3 %")
                                    .arg(monitor.pixel_width)
                                    .arg(monitor.pixel_height)
                                    .arg(std::lround(monitor.scale * 100)),
                                this),
                     row, 1);
    auto* pages = new QComboBox(this);
    pages->setObjectName(QString("ComboBoxMonitorPage%1").arg(row + 1));
    pages->addItem("その日の壁紙");
    for (int page = 1; page <= kPageCount; ++page) {
      pages->addItem(QString("壁紙%1").arg(QChar(0xFF10 + page)));
    }
    rows_->addWidget(pages, row, 2);
    pages_.push_back(pages);
    connect(pages, &QComboBox::activated, this, [this, name = monitor.name](int index) {
      copy_.monitor_pages = WithMonitorPage(copy_.monitor_pages, name, index);
      emit Edited();
      emit PictureValueChanged();
    });
  }
  Show();
}

void MonitorPagesBox::Show() {
  ShowChecked(fit_text_, copy_.fit_text_to_scale);
  const std::vector<int> pages = PagesOfMonitors(monitors_, copy_.monitor_pages, 0);
  for (std::size_t row = 0; row < pages_.size(); ++row) {
    const QSignalBlocker block(pages_[row]);
    pages_[row]->setCurrentIndex(pages[row]);
  }
}

}  // namespace murva
