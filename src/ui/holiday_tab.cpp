#include "ui/holiday_tab.h"

#include <QButtonGroup>
#include <algorithm>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/day_grid_preview.h"
#include "app/save_button_rules.h"
#include "calendar/calendar_ex1.h"
#include "settings/day_list.h"
#include "ui/calendar_widget.h"
#include "ui/day_grid_table.h"
#include "ui/holiday_import_box.h"
#include "ui/panel_context.h"
#include "ui/qt_colors.h"

namespace murva {
namespace {

constexpr int kPreviewWidth = 182;
constexpr int kPreviewHeight = 132;

}  // namespace

HolidayTab::HolidayTab(PanelContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName("TabSheetS4");
  auto* layout = new QGridLayout(this);
  layout->setVerticalSpacing(2);

  holidays_ = new DayGridTable("StringGridHoliDay", this);
  special_days_ = new DayGridTable("StringGridSpecialDay", this);
  layout->addWidget(new QLabel("ユーザの休日（１マスに１日）", this), 0, 0);
  layout->addWidget(new QLabel("特別日（１マスに１日）", this), 0, 1);
  layout->addWidget(holidays_, 1, 0);
  layout->addWidget(special_days_, 1, 1);
  for (DayGridTable* grid : {holidays_, special_days_}) {
    connect(grid, &DayGridTable::CellEdited, this, [this, grid](int row, int column, const QString& text) {
      StringGridSpecialDaySetEditText(grid, row, column, text);
    });
    connect(grid, &QTableWidget::currentCellChanged, this,
            [this, grid](int row, int column) { FollowCell(grid, row, column); });
  }

  // The month being edited, as the saved lists will colour it.
  auto* side = new QVBoxLayout;
  side->setSpacing(2);
  preview_caption_ = new QLabel(this);
  preview_caption_->setObjectName("LabelPreviewMonth");
  side->addWidget(preview_caption_);
  preview_ = new TCalendarWidget(this);
  preview_->setObjectName("CalendarPreview");
  preview_->setFixedSize(kPreviewWidth, kPreviewHeight);
  preview_->setFocusPolicy(Qt::NoFocus);
  preview_->setToolTip("保存して次に起動したときの色で、編集中の行の月を表示します");
  preview_->SetOwnedCalendar(MakeCalendarEx1());
  side->addWidget(preview_);
  legend_ = new QLabel(this);
  legend_->setObjectName("LabelPreviewLegend");
  side->addWidget(legend_);
  side->addStretch(1);
  layout->addLayout(side, 0, 2, 2, 1);

  auto* bottom = new QHBoxLayout;
  auto* method = new QGroupBox(" 休日の設定方法 ", this);
  method->setObjectName("RadioGroupHoliDay");
  auto* method_layout = new QHBoxLayout(method);
  method_layout->setContentsMargins(6, 0, 6, 2);
  auto* group = new QButtonGroup(this);
  const char* captions[] = {"システム設定", "ユーザが設定"};
  for (int index = 0; index < 2; ++index) {
    auto* radio = new QRadioButton(captions[index], method);
    radio->setObjectName(QString("RadioGroupHoliDay%1").arg(index));
    group->addButton(radio, index);
    method_layout->addWidget(radio);
    methods_[static_cast<std::size_t>(index)] = radio;
  }
  connect(group, &QButtonGroup::idClicked, this, [this](int index) { RadioGroupHoliDayClick(index); });
  bottom->addWidget(method);
  auto* note = new QLabel("設定を保存したら一度終了してください．次の起動時から有効になります．", this);
  note->setWordWrap(true);
  bottom->addWidget(note, 1);
  save_ = new QPushButton("このページを保存(&S)", this);
  save_->setObjectName("SpeedButtonSaveHoliday");
  bottom->addWidget(save_);
  connect(save_, &QPushButton::clicked, this, [this] { SpeedButtonSaveHolidayClick(); });
  layout->addLayout(bottom, 2, 0, 1, 3);
  layout->addWidget(new HolidayImportBox(context_, *preview_, [this] { ShowPreview(); }, this), 3, 0, 1, 3);
  layout->setColumnStretch(0, 1);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(4, 1);

  // The drawing code's engine lives here, outside the visible area.
  calendar_ex1_ = new TCalendarWidget(this);
  calendar_ex1_->setObjectName("CalendarEx1");
  calendar_ex1_->setGeometry(-1000, -1000, 180, 150);
}

void HolidayTab::Show() {
  const WorkingCopy& copy = context_.Copy();
  holidays_->ShowGrid(copy.holiday_grid);
  special_days_->ShowGrid(copy.special_grid);
  const int method = copy.holiday_method == 1 ? 1 : 0;
  methods_[static_cast<std::size_t>(method)]->setChecked(true);
  save_->setEnabled(copy.holiday_save_enabled);
  ShowPreview();
}

void HolidayTab::RadioGroupHoliDayClick(int index) {
  WorkingCopy& copy = context_.Copy();
  copy.holiday_method = index;
  EnableSave(copy, SettingsEdit::kRadioGroupHoliDay);
  save_->setEnabled(true);
  ShowPreview();
}

void HolidayTab::StringGridSpecialDaySetEditText(DayGridTable* grid, int row, int column,
                                                 const QString& text) {
  WorkingCopy& copy = context_.Copy();
  const bool holidays = grid == holidays_;
  SetGridCell(holidays ? copy.holiday_grid : copy.special_grid, row, column, text.toStdString());
  EnableSave(copy, holidays ? SettingsEdit::kStringGridHoliDay : SettingsEdit::kStringGridSpecialDay);
  save_->setEnabled(true);
  FollowCell(grid, row, column);
}

void HolidayTab::FollowCell(DayGridTable* grid, int row, int column) {
  if (row < 0 || row >= 12) return;
  preview_month_ = row + 1;
  const std::string cell = grid->item(row, column) ? grid->item(row, column)->text().toStdString()
                                                   : std::string();
  preview_day_ = IsDayOfMonthText(cell) ? std::stoi(cell) : 0;
  ShowPreview();
}

void HolidayTab::SpeedButtonSaveHolidayClick() {
  context_.Guarded([this] { context_.Cycle().Store().SaveHolidayPage(context_.Copy()); });
}

void HolidayTab::ShowPreview() {
  const WorkingCopy& copy = context_.Copy();
  const TodayFields& today = context_.Cycle().State().today;
  const int month = preview_month_ != 0 ? preview_month_ : today.month;
  // Before any cell is chosen the calendar marks today.
  const int day = preview_month_ != 0 ? preview_day_ : today.day;
  TCalendarEx* engine = preview_->Calendar();
  if (engine == nullptr) return;
  try {
    ShowMonthAsSaved(*engine, copy, today, month, day);
  } catch (const std::exception&) {
    return;  // a date the calendar cannot hold: the preview stays as it was
  }
  preview_caption_->setText(QString("%1年%2月　保存後の色").arg(engine->Year()).arg(engine->Month()));
  const PageValues& page = copy.ActivePage();
  QString legend = QString("<span style='background:#203028'>&nbsp;<span style='color:%1'>■休日</span>"
                           "&nbsp;<span style='color:%2'>■特別日</span>&nbsp;</span>")
                       .arg(ToQColor(page.holiday).name(), ToQColor(page.special).name());
  // The user's holidays count only with the method "ユーザが設定".
  const DayGrid saved = AsSaved(copy.holiday_grid);
  const bool unused = copy.holiday_method != 1 &&
                      std::any_of(saved.begin(), saved.end(), [](const auto& row) { return !row.empty(); });
  if (unused) legend += "<br>「ユーザが設定」にすると<br>ユーザの休日が使われます";
  legend_->setText(legend);
}

}  // namespace murva
