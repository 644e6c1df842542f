#include "ui/day_grid_table.h"

#include <QHeaderView>
#include <QScrollBar>

#include "app/day_grid_preview.h"

namespace murva {
namespace {

constexpr int kColumnWidth = 24;
constexpr int kRowHeight = 15;
constexpr int kVisibleDays = 12;  // a dozen days beside the month labels; the rest scroll
const QColor kDroppedColor(255, 186, 186);
constexpr const char* kDroppedHint = "1～31 の日付ではないので、保存されません";

}  // namespace

DayGridTable::DayGridTable(const char* name, QWidget* parent)
    : QTableWidget(12, kGridDayColumns + 1, parent) {
  setObjectName(name);
  horizontalHeader()->hide();
  // The month labels stand in the row header, which stays where it is while
  // the days scroll; column 0 keeps them too, hidden, so that the day
  // columns keep their numbers 1 .. 31.
  horizontalHeader()->setMinimumSectionSize(8);
  horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  verticalHeader()->setMinimumSectionSize(8);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setMinimumWidth(8 * kColumnWidth);

  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  const QColor fixed = palette().color(QPalette::Button);
  for (int row = 0; row < 12; ++row) {
    // The month's label: " 1" .. "12".
    const QString month = QString("%1").arg(row + 1, 2, 10, QChar(' '));
    setVerticalHeaderItem(row, new QTableWidgetItem(month));
    auto* label = new QTableWidgetItem(month);
    label->setFlags(Qt::ItemIsEnabled);
    label->setBackground(fixed);
    label->setTextAlignment(Qt::AlignCenter);
    setItem(row, 0, label);
    for (int column = 1; column <= kGridDayColumns; ++column) {
      auto* cell = new QTableWidgetItem;
      cell->setTextAlignment(Qt::AlignCenter);
      setItem(row, column, cell);
    }
  }
  setColumnHidden(0, true);
  connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (showing_ || item->column() == 0) return;
    PaintCell(item);
    emit CellEdited(item->row(), item->column(), item->text());
  });
}

void DayGridTable::ShowGrid(const DayGrid& grid) {
  showing_ = true;
  const QModelIndex editing = state() == QAbstractItemView::EditingState ? currentIndex() : QModelIndex();
  for (int row = 0; row < 12; ++row) {
    for (int column = 1; column <= kGridDayColumns; ++column) {
      if (editing.isValid() && editing.row() == row && editing.column() == column) continue;
      QTableWidgetItem* cell = item(row, column);
      const QString text = QString::fromStdString(GridCell(grid, row, column));
      if (cell->text() != text) cell->setText(text);
      PaintCell(cell);
    }
  }
  showing_ = false;
}

void DayGridTable::PaintCell(QTableWidgetItem* item) {
  const bool dropped = IsDroppedOnSave(item->text().toStdString());
  const bool was_dropped = item->data(Qt::UserRole).toBool();
  if (dropped == was_dropped) return;
  const bool showing = showing_;
  showing_ = true;  // the colour is no edit
  item->setData(Qt::UserRole, dropped);
  item->setBackground(dropped ? QBrush(kDroppedColor) : QBrush());
  item->setToolTip(dropped ? kDroppedHint : QString());
  showing_ = showing;
}

bool DayGridTable::IsMarkedDropped(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr && cell->data(Qt::UserRole).toBool();
}

QSize DayGridTable::sizeHint() const {
  const int frame = 2 * frameWidth();
  return {verticalHeader()->sizeHint().width() + kVisibleDays * kColumnWidth + frame,
          12 * kRowHeight + horizontalScrollBar()->sizeHint().height() + frame};
}

}  // namespace murva
