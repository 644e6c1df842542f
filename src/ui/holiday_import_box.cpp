#include "ui/holiday_import_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/imported_holidays.h"
#include "ui/calendar_widget.h"
#include "ui/panel_context.h"

namespace murva {

HolidayImportBox::HolidayImportBox(PanelContext& context, TCalendarWidget& preview,
                                   std::function<void()> redraw, QWidget* parent)
    : QWidget(parent), context_(context), preview_(preview), redraw_(std::move(redraw)) {
  setObjectName("PanelHolidayImport");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  button_ = new QPushButton("祝日一覧を取り込む…", this);
  button_->setObjectName("ButtonImportHolidays");
  button_->setToolTip("内閣府の「国民の祝日」の一覧（CSV）を読み込みます。その年の祝日は一覧のとおりになります");
  years_ = new QLabel(this);
  years_->setObjectName("LabelImportedYears");
  years_->setWordWrap(true);
  layout->addWidget(button_);
  layout->addWidget(years_, 1);
  connect(button_, &QPushButton::clicked, this, [this] {
    const QString file = context_.Dialog().OpenFileName(
        this, QString(), "祝日一覧 (*.csv *.CSV);;すべてのファイル (*)");
    if (!file.isEmpty()) Import(file);
  });
}

void HolidayImportBox::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Show();
}

void HolidayImportBox::Import(const QString& file) {
  const std::filesystem::path folder = context_.Cycle().State().program_folder;
  const HolidayImport result = ImportHolidayList(file.toStdString(), folder);
  if (!result.list) {
    context_.ShowMessage(result.message, MessageIcon::kWarning);
    return;
  }
  // The build's engine follows at once; the system's rules stay where the
  // user's own holidays are in use.
  context_.Cycle().Engine().SetListedHolidays(result.list);
  Show();
  context_.PictureChanged();
  context_.ShowMessage(result.message);
}

void HolidayImportBox::Show() {
  const std::filesystem::path folder = context_.Cycle().State().program_folder;
  if (folder.empty()) return;  // the run cycle has not started yet
  std::string problem;
  const auto list = LoadImportedHolidays(folder, &problem);
  years_->setText(QString::fromStdString(problem.empty() ? ImportedYearsText(list.get()) : problem));
  TCalendarEx* engine = preview_.Calendar();
  if (engine == nullptr) return;
  const ListedHolidays* shown = engine->ListedHolidayList().get();
  if (shown == list.get() || (shown && list && *shown == *list)) return;
  engine->SetListedHolidays(list);
  if (redraw_) redraw_();
}

}  // namespace murva
