// One day-list grid of "休日の設定" (StringGridHoliDay, StringGridSpecialDay):
// twelve rows for the months, column 0 the month's label, columns 1 .. 31
// one day each as typed. A cell that the save will leave out is shown in a
// warning colour while it is edited.
#pragma once

#include <QTableWidget>

#include "settings/working_copy.h"

namespace murva {

class DayGridTable : public QTableWidget {
  Q_OBJECT

 public:
  DayGridTable(const char* name, QWidget* parent = nullptr);

  // The cells show the grid; the cell being edited keeps what is typed.
  void ShowGrid(const DayGrid& grid);
  // Whether a cell is painted as one the save leaves out.
  bool IsMarkedDropped(int row, int column) const;

  QSize sizeHint() const override;

 signals:
  // A day cell was edited by the user.
  void CellEdited(int row, int column, const QString& text);

 private:
  void PaintCell(QTableWidgetItem* item);

  bool showing_ = false;
};

}  // namespace murva
