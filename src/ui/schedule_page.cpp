#include "ui/schedule_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "schedule/color_keyword.h"
#include "schedule/external_schedule.h"
#include "schedule/schedule_errors.h"
#include "schedule/schedule_options.h"
#include "schedule/schedule_period.h"
#include "schedule/schedule_purge.h"
#include "settings/cp932.h"
#include "ui/calendar_sources_panel.h"
#include "ui/panel_context.h"
#include "ui/ui_helpers.h"

namespace murva {
namespace {

constexpr int kLineSpacingMin = -9;
constexpr int kLineSpacingMax = 50;

template <typename Items>
QComboBox* MakeList(QWidget* parent, const char* name, const Items& items, const char* hint) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const char* item : items) box->addItem(QString::fromUtf8(item));
  if (*hint) box->setToolTip(hint);
  return box;
}

// A date field: a few characters wide, typed without the input method.
QLineEdit* MakeDateField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setAttribute(Qt::WA_InputMethodEnabled, false);
  field->setFixedWidth(field->fontMetrics().horizontalAdvance("@@@@") + 14);
  return field;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                        const char* hint = "") {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  if (*hint) button->setToolTip(hint);
  return button;
}

// IPAGothic stands in for the fixed-pitch Japanese font of the Windows
// desktop, so that the fields of the entry lines stand in columns: a
// full-width character takes exactly two half-width cells, as its two bytes
// take two positions of the line.
QFont EntryListFont(const QFont& base) {
  QFont font("IPAGothic");
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(base.pointSizeF());
  return font;
}

QColor ShadeColor(SourceShade shade) {
  const QPalette palette = QApplication::palette();
  switch (shade) {
    case SourceShade::kWindow: return palette.color(QPalette::Base);
    case SourceShade::kInfoBackground: return palette.color(QPalette::ToolTipBase);
    case SourceShade::kButtonFace: break;
  }
  return palette.color(QPalette::Button);
}

void SetRoleColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(role, color);
  widget->setPalette(palette);
}

// A file-dialog filter written as "text|patterns|text|patterns" in Qt's
// form. File names are case-sensitive here, so each pattern is offered as
// written, in lower and in upper case; "*.*" means every file. Qt shows the
// patterns after the text itself, so patterns the text carries in brackets
// ("すべてのファイル(*.*)") are left out of it.
QString QtFileFilter(const char* filter) {
  const QStringList parts = QString::fromUtf8(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString text = parts[i];
    if (text.endsWith(')') && text.contains('(')) text.truncate(text.lastIndexOf('('));
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
      if (pattern == "*.*") {
        patterns << "*";
        continue;
      }
      for (const QString& spelling : {pattern, pattern.toLower(), pattern.toUpper()}) {
        if (!patterns.contains(spelling)) patterns << spelling;
      }
    }
    filters << QString("%1 (%2)").arg(text.trimmed(), patterns.join(' '));
  }
  return filters.join(";;");
}

}  // namespace

SchedulePage::SchedulePage(PanelContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("PanelBaseD");
  auto* layout = new QGridLayout(this);
  layout->addWidget(BuildEditor(), 0, 0);
  layout->addWidget(BuildDisplaySettings(), 0, 1);
  layout->addWidget(BuildSource(), 1, 0, 1, 2);
  layout->addWidget(new CalendarSourcesPanel(context_, this), 2, 0, 1, 2);
  layout->setColumnStretch(0, 1);
  layout->setRowStretch(0, 1);
  ConnectEditor();
  ConnectDisplaySettings();
  SetEntryButtons(false);
  PaintSwatch(ShadeColor(SourceShade::kButtonFace));
  PaintPatternLists(false, false);
  PaintSource(kSourceOwn);
}

QWidget* SchedulePage::BuildEditor() {
  auto* editor = new QWidget(this);
  auto* layout = new QVBoxLayout(editor);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* pattern_row = new QHBoxLayout;
  pattern_set_ = MakeButton(editor, "SpeedButtonPatternSet", "▼右のパターンを「年月日」欄に設定");
  pattern_ = MakeList(editor, "ComboBoxSelect", kPatternItems, "繰返しパターンの選択");
  occurrence_ =
      MakeList(editor, "ComboBoxIning", kOccurrenceItems, "「週指定」パターン時の回数選択");
  weekday_ = MakeList(editor, "ComboBoxWeeks", kWeekdayItems, "曜日の選択");
  pattern_row->addWidget(pattern_set_);
  pattern_row->addWidget(pattern_);
  pattern_row->addWidget(occurrence_);
  pattern_row->addWidget(weekday_);
  pattern_row->addStretch(1);
  layout->addLayout(pattern_row);

  auto* field_row = new QHBoxLayout;
  year_ = MakeDateField(editor, "EditY");
  month_ = MakeDateField(editor, "EditM");
  day_ = MakeDateField(editor, "EditD");
  text_ = new QLineEdit(editor);
  text_->setObjectName("EditInput");
  const std::pair<QLineEdit*, const char*> date_fields[] = {
      {year_, "年"}, {month_, "月"}, {day_, "日"}};
  for (const auto& [field, label] : date_fields) {
    field_row->addWidget(field);
    field_row->addWidget(new QLabel(label, editor));
  }
  field_row->addWidget(text_, 1);
  layout->addLayout(field_row);

  auto* action_row = new QHBoxLayout;
  add_ = MakeButton(editor, "SpeedButtonAdd", "予定を追加(&Z)",
                    "右クリックで過去データ（２０００年以降に限る）の一括消去");
  change_ = MakeButton(editor, "SpeedButtonEdit", "修整(&I)");
  delete_ = MakeButton(editor, "SpeedButtonDel", "削除(&J)");
  swatch_ = MakePanel(editor, "PanelColMon");
  swatch_->setToolTip("予定表示の文字色");
  swatch_->setAutoFillBackground(true);
  swatch_->setFixedSize(40, add_->sizeHint().height());
  std::vector<const char*> colors{""};
  colors.insert(colors.end(), kColorKeywordItems.begin(), kColorKeywordItems.end());
  color_ = MakeList(editor, "ComboBoxCol", colors, "予定表示を個別に色指定できます");
  for (QPushButton* button : {add_, change_, delete_}) action_row->addWidget(button);
  action_row->addStretch(1);
  action_row->addWidget(swatch_);
  action_row->addWidget(color_);
  layout->addLayout(action_row);

  list_ = new QListWidget(editor);
  list_->setObjectName("ListBoxSch");
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setUniformItemSizes(true);
  list_->setFont(EntryListFont(font()));
  layout->addWidget(list_, 1);
  return editor;
}

QWidget* SchedulePage::BuildDisplaySettings() {
  auto* settings = new QWidget(this);
  auto* layout = new QGridLayout(settings);
  layout->setContentsMargins(0, 0, 0, 0);
  period_ = MakeList(settings, "ComboBoxSch", kPeriodCaptions, "");
  line_spacing_ = new QSpinBox(settings);
  line_spacing_->setObjectName("SpinEditSch");
  line_spacing_->setRange(kLineSpacingMin, kLineSpacingMax);
  line_spacing_->setToolTip("予定表示の行間をドット数で指定します");
  cut_year_ = MakeCheckBox(settings, "CheckBoxCutYear", "「年」表示の省略");
  cut_week_ = MakeCheckBox(settings, "CheckBoxCutWeek", "「曜日」表示の省略");
  days_before_ = MakeList(settings, "ComboBoxBefore", kAdvanceDayItems, "");
  save_ = MakeButton(settings, "SpeedButtonSaveSch", "保存(&S)");

  layout->addWidget(period_, 0, 0, 1, 2);
  layout->addWidget(new QLabel("行間", settings), 1, 0);
  layout->addWidget(line_spacing_, 1, 1);
  layout->addWidget(cut_year_, 2, 0, 1, 2);
  layout->addWidget(cut_week_, 3, 0, 1, 2);
  layout->addWidget(new QLabel("週予定", settings), 4, 0);
  layout->addWidget(days_before_, 4, 1);
  layout->setRowStretch(5, 1);
  layout->addWidget(save_, 6, 0, 1, 2);
  return settings;
}

QWidget* SchedulePage::BuildSource() {
  auto* source = new QWidget(this);
  auto* layout = new QHBoxLayout(source);
  layout->setContentsMargins(0, 0, 0, 0);
  source_ = MakeList(source, "ComboBoxUseSelb", kSourceCaptions, "");
  external_path_ = new QLineEdit(source);
  external_path_->setObjectName("EditSelb");
  browse_ = MakeButton(source, "SpeedButtonSelbPath", "参照(&R)");
  layout->addWidget(source_);
  layout->addWidget(external_path_, 1);
  layout->addWidget(browse_);
  return source;
}

void SchedulePage::ConnectEditor() {
  connect(year_, &QLineEdit::textChanged, this, &SchedulePage::EditYChange);
  connect(month_, &QLineEdit::textChanged, this, &SchedulePage::EditMChange);
  connect(day_, &QLineEdit::textChanged, this, &SchedulePage::EditDChange);
  // Enter walks year → month → day → text, and adds the entry from there.
  connect(year_, &QLineEdit::returnPressed, this, [this] { month_->setFocus(); });
  connect(month_, &QLineEdit::returnPressed, this, [this] { day_->setFocus(); });
  connect(day_, &QLineEdit::returnPressed, this, [this] { text_->setFocus(); });
  connect(text_, &QLineEdit::returnPressed, this, &SchedulePage::SpeedButtonAddClick);

  connect(add_, &QPushButton::clicked, this, &SchedulePage::SpeedButtonAddClick);
  add_->installEventFilter(this);
  connect(change_, &QPushButton::clicked, this, &SchedulePage::SpeedButtonEditClick);
  connect(delete_, &QPushButton::clicked, this, &SchedulePage::SpeedButtonDelClick);
  connect(list_, &QListWidget::itemClicked, this, &SchedulePage::ListBoxSchClick);
  connect(color_, &QComboBox::currentIndexChanged, this, &SchedulePage::ComboBoxColChange);
  connect(pattern_set_, &QPushButton::clicked, this, &SchedulePage::SpeedButtonPatternSetClick);
  connect(pattern_, &QComboBox::currentIndexChanged, this, &SchedulePage::ComboBoxSelectChange);
}

void SchedulePage::ConnectDisplaySettings() {
  const auto bind_index = [this](QComboBox* box, int WorkingCopy::*field) {
    connect(box, &QComboBox::currentIndexChanged, this, [this, field](int index) {
      context_.Copy().*field = index;
      DisplaySettingChanged();
    });
  };
  bind_index(period_, &WorkingCopy::schedule_range);
  bind_index(days_before_, &WorkingCopy::days_before);
  connect(line_spacing_, &QSpinBox::valueChanged, this, [this](int value) {
    context_.Copy().schedule_line_spacing = value;
    DisplaySettingChanged();
  });
  // The switches take effect on the mouse-up, as the user clicks them.
  const auto bind_switch = [this](QCheckBox* box, bool WorkingCopy::*field) {
    connect(box, &QCheckBox::clicked, this, [this, field](bool on) {
      context_.Copy().*field = on;
      DisplaySettingChanged();
    });
  };
  bind_switch(cut_year_, &WorkingCopy::cut_year);
  bind_switch(cut_week_, &WorkingCopy::cut_weekday);
  connect(source_, &QComboBox::currentIndexChanged, this, &SchedulePage::ComboBoxUseSelbChange);
  // EditSelbChange.
  connect(external_path_, &QLineEdit::textChanged, this, [this](const QString& text) {
    context_.Copy().external_path = text.toStdString();
    DisplaySettingChanged();
  });
  connect(browse_, &QPushButton::clicked, this, &SchedulePage::SpeedButtonSelbPathClick);
  connect(save_, &QPushButton::clicked, this, &SchedulePage::SpeedButtonSaveSchClick);
}

bool SchedulePage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == add_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    SpeedButtonAddMouseDown();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// --- Showing the working copy ------------------------------------------------

void SchedulePage::Show() {
  const WorkingCopy& copy = context_.Copy();
  ShowIndex(period_, copy.schedule_range);
  ShowIndex(days_before_, copy.days_before);
  {
    const QSignalBlocker block(line_spacing_);
    line_spacing_->setValue(copy.schedule_line_spacing);
  }
  ShowChecked(cut_year_, copy.cut_year);
  ShowChecked(cut_week_, copy.cut_weekday);
  ShowIndex(source_, copy.schedule_source);
  const QString path = ToQString(copy.external_path);
  if (external_path_->text() != path) {
    const QSignalBlocker block(external_path_);
    external_path_->setText(path);
  }
  PaintSource(copy.schedule_source);
  save_->setEnabled(copy.schedule_save_enabled);
  ShowEntries();
  if (!fields_ready_) {
    fields_ready_ = true;
    ResetFields();
  }
}

void SchedulePage::ShowEntries() {
  const ScheduleList& entries = context_.Cycle().Schedules();
  if (entries.Lines() == shown_) return;
  shown_ = entries.Lines();
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(shown_.size()));
  for (const std::string& line : shown_) texts << ToQString(DecodeCp932Lossy(line));
  list_->clear();
  list_->addItems(texts);
  // No entry is focused any more.
  SetEntryButtons(false);
}

void SchedulePage::InsertShownEntry(std::size_t index) {
  const std::string& line = context_.Cycle().Schedules()[index];
  shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(index), line);
  list_->insertItem(static_cast<int>(index), ToQString(DecodeCp932Lossy(line)));
}

// --- Fields -------------------------------------------------------------------

ScheduleEditing SchedulePage::Editing() {
  RunCycle& cycle = context_.Cycle();
  return ScheduleEditing(cycle.Schedules(), cycle.State().schedule_path, cycle.State().today,
                         cycle.TimeSource());
}

EntryFields SchedulePage::Fields() const {
  EntryFields fields;
  fields.year = year_->text().toStdString();
  fields.month = month_->text().toStdString();
  fields.day = day_->text().toStdString();
  fields.text = text_->text().toStdString();
  if (color_->currentIndex() > 0) fields.color = color_->currentText().toStdString();
  return fields;
}

// Setting a field's text runs its change rule, as typing does.
void SchedulePage::ShowFields(const EntryFields& fields) {
  year_->setText(ToQString(fields.year));
  month_->setText(ToQString(fields.month));
  day_->setText(ToQString(fields.day));
  text_->setText(ToQString(fields.text));
}

void SchedulePage::ResetFields() {
  ShowFields(InitialEntryFields(context_.Cycle().State().today));
  const QSignalBlocker block(color_);
  color_->setCurrentIndex(0);
}

void SchedulePage::FocusField(EditorField field) {
  switch (field) {
    case EditorField::kYear: year_->setFocus(); break;
    case EditorField::kMonth: month_->setFocus(); break;
    case EditorField::kDay: day_->setFocus(); break;
    case EditorField::kText: text_->setFocus(); break;
  }
}

void SchedulePage::EditYChange(const QString& text) {
  const std::string shown = text.toStdString();
  const std::string rule = NormalizeYearField(shown);
  if (rule != shown) year_->setText(ToQString(rule));
}

void SchedulePage::EditMChange(const QString& text) {
  const std::string shown = text.toStdString();
  const std::string rule = NormalizeMonthField(shown);
  if (rule != shown) month_->setText(ToQString(rule));
}

void SchedulePage::EditDChange(const QString& text) {
  const std::string shown = text.toStdString();
  try {
    const std::string rule = NormalizeDayField(shown);
    if (rule != shown) day_->setText(ToQString(rule));
  } catch (const ScheduleIntegerError& error) {
    // A pattern day whose second character is no digit: the text stands.
    context_.ShowMessage(error.what());
  }
}

// --- Entry actions --------------------------------------------------------------

void SchedulePage::SpeedButtonAddClick() {
  context_.Guarded([this] {
    const std::size_t index = Editing().Add(Fields());
    InsertShownEntry(index);
    ResetFields();
    PaintSwatch(ShadeColor(SourceShade::kButtonFace));
    month_->setFocus();
    context_.PictureChanged();
  });
}

void SchedulePage::SpeedButtonEditClick() {
  const int focused = list_->currentRow();
  if (focused < 0 || static_cast<std::size_t>(focused) >= shown_.size()) return;
  context_.Guarded([this, focused] {
    const std::size_t index = Editing().Change(static_cast<std::size_t>(focused), Fields());
    delete list_->takeItem(focused);
    shown_.erase(shown_.begin() + focused);
    InsertShownEntry(index);
    SetEntryButtons(false);
    ResetFields();
    month_->setFocus();
    context_.PictureChanged();
  });
}

void SchedulePage::SpeedButtonDelClick() {
  std::vector<std::size_t> selected;
  for (const QListWidgetItem* item : list_->selectedItems()) {
    selected.push_back(static_cast<std::size_t>(list_->row(item)));
  }
  std::string report;
  context_.Guarded([this, &selected, &report] {
    report = Editing().Delete(selected, context_.Copy());
    SetEntryButtons(false);
    ResetFields();
    ShowEntries();
    context_.PictureChanged();
  });
  // A malformed entry found on the way is named; the list shows the file.
  if (!report.empty()) context_.ShowMessage(report);
}

void SchedulePage::SpeedButtonAddMouseDown() {
  const bool confirmed = context_.Dialog().Ask(this, ToQString(kPurgeConfirmMessage));
  std::vector<std::string> messages;
  context_.Guarded([this, confirmed, &messages] {
    messages = Editing().Purge(confirmed, context_.Copy());
    if (!confirmed) return;
    SetEntryButtons(false);
    ShowEntries();
    context_.PictureChanged();
  });
  for (const std::string& message : messages) context_.ShowMessage(message);
}

void SchedulePage::ListBoxSchClick() {
  const int focused = list_->currentRow();
  if (focused < 0 || static_cast<std::size_t>(focused) >= shown_.size()) return;
  ShowFields(EntryFieldsOf(shown_[static_cast<std::size_t>(focused)]));
  SetEntryButtons(true);
}

void SchedulePage::SetEntryButtons(bool enabled) {
  change_->setEnabled(enabled);
  delete_->setEnabled(enabled);
}

void SchedulePage::ComboBoxColChange() {
  PaintSwatch(ToQColor(SwatchColorOf(color_->currentText().toStdString(), context_.Copy())));
  text_->setFocus();
}

void SchedulePage::PaintSwatch(const QColor& color) {
  SetRoleColor(swatch_, QPalette::Window, color);
}

void SchedulePage::SpeedButtonPatternSetClick() {
  const PatternOutcome outcome =
      ApplyPattern(pattern_->currentIndex(), occurrence_->currentIndex(), weekday_->currentIndex());
  if (!outcome.fields) {
    context_.ShowMessage(outcome.message);
    return;
  }
  year_->setText(ToQString(outcome.fields->year));
  month_->setText(ToQString(outcome.fields->month));
  day_->setText(ToQString(outcome.fields->day));
  for (QComboBox* box : {pattern_, occurrence_, weekday_}) {
    const QSignalBlocker block(box);
    box->setCurrentIndex(0);
  }
  // With the empty pattern no list is needed any more.
  PaintPatternLists(false, false);
  FocusField(outcome.fields->focus);
}

void SchedulePage::ComboBoxSelectChange(int index) {
  const PatternNeeds needs = PatternNeedsOf(index);
  PaintPatternLists(needs.occurrence, needs.weekday);
  if (!needs.message.empty()) context_.ShowMessage(needs.message);
  month_->setFocus();
}

void SchedulePage::PaintPatternLists(bool occurrence, bool weekday) {
  const QColor button_face = ShadeColor(SourceShade::kButtonFace);
  SetRoleColor(occurrence_, QPalette::Button, occurrence ? QColor(Qt::yellow) : button_face);
  SetRoleColor(weekday_, QPalette::Button, weekday ? QColor(Qt::yellow) : button_face);
}

// --- Display settings -------------------------------------------------------------

void SchedulePage::DisplaySettingChanged() {
  context_.Copy().schedule_save_enabled = true;
  save_->setEnabled(true);
  context_.PictureChanged();
}

void SchedulePage::ComboBoxUseSelbChange(int index) {
  context_.Copy().schedule_source = index;
  PaintSource(index);
  DisplaySettingChanged();
}

void SchedulePage::PaintSource(int source) {
  const SourceShades shades = SourceShadesOf(source);
  SetRoleColor(external_path_, QPalette::Base, ShadeColor(shades.path));
  SetRoleColor(list_, QPalette::Base, ShadeColor(shades.list));
}

void SchedulePage::SpeedButtonSelbPathClick() {
  const QString current = external_path_->text();
  const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
  const QString file =
      context_.Dialog().OpenFileName(this, folder, QtFileFilter(kExternalFileFilter));
  if (file.isEmpty()) return;
  external_path_->setText(file);  // EditSelbChange
}

void SchedulePage::SpeedButtonSaveSchClick() {
  context_.Guarded([this] { context_.Cycle().Store().SaveSchedulePanel(context_.Copy()); });
}

}  // namespace murva
