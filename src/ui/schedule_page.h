// The schedule page " スケジュール機能パネル " (PanelBaseD): the entry editor
// with its pattern and colour lists, the entry list, and the schedule display
// settings with the external schedule and their own save button.
//
// Every change to the entries rewrites the schedule file at once; the display
// settings go to the settings file only through the page's save button.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "app/schedule_editing.h"
#include "schedule/entry_fields.h"
#include "schedule/schedule_pattern.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace murva {

class PanelContext;

class SchedulePage : public QWidget {
  Q_OBJECT

 public:
  explicit SchedulePage(PanelContext& context, QWidget* parent = nullptr);

  // The entry list, the display settings and the save button show the entry
  // list and the working copy. The fields keep what the user typed; they get
  // their start-up state the first time.
  void Show();

 protected:
  // The right mouse button on SpeedButtonAdd starts the purge.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildEditor();
  QWidget* BuildDisplaySettings();
  QWidget* BuildSource();
  void ConnectEditor();
  void ConnectDisplaySettings();

  // Field editing.
  void EditYChange(const QString& text);
  void EditMChange(const QString& text);
  void EditDChange(const QString& text);
  // Entry actions.
  void SpeedButtonAddClick();
  void SpeedButtonEditClick();
  void SpeedButtonDelClick();
  void SpeedButtonAddMouseDown();  // right button: the purge
  void ListBoxSchClick();
  void ComboBoxColChange();
  void SpeedButtonPatternSetClick();
  void ComboBoxSelectChange(int index);
  // Display settings and the external schedule.
  void DisplaySettingChanged();  // enables SpeedButtonSaveSch
  void ComboBoxUseSelbChange(int index);
  void SpeedButtonSelbPathClick();
  void SpeedButtonSaveSchClick();

  ScheduleEditing Editing();
  EntryFields Fields() const;
  void ShowFields(const EntryFields& fields);
  void ResetFields();
  void FocusField(EditorField field);
  void SetEntryButtons(bool enabled);
  void PaintSwatch(const QColor& color);
  void PaintPatternLists(bool occurrence, bool weekday);
  void PaintSource(int source);
  // The list shows the entries again, when they differ from what it shows.
  void ShowEntries();
  void InsertShownEntry(std::size_t index);

  PanelContext& context_;

  QPushButton* pattern_set_ = nullptr;
  QComboBox* pattern_ = nullptr;
  QComboBox* occurrence_ = nullptr;
  QComboBox* weekday_ = nullptr;
  QLineEdit* year_ = nullptr;
  QLineEdit* month_ = nullptr;
  QLineEdit* day_ = nullptr;
  QLineEdit* text_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* delete_ = nullptr;
  QLabel* swatch_ = nullptr;
  QComboBox* color_ = nullptr;
  QListWidget* list_ = nullptr;

  QComboBox* period_ = nullptr;
  QSpinBox* line_spacing_ = nullptr;
  QCheckBox* cut_year_ = nullptr;
  QCheckBox* cut_week_ = nullptr;
  QComboBox* days_before_ = nullptr;
  QComboBox* source_ = nullptr;
  QLineEdit* external_path_ = nullptr;
  QPushButton* browse_ = nullptr;
  QPushButton* save_ = nullptr;

  // The entry lines the list shows, in its order (CP932).
  std::vector<std::string> shown_;
  bool fields_ready_ = false;
};

}  // namespace murva
