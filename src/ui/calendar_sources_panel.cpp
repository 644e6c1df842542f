#include "ui/calendar_sources_panel.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/calendar_collection.h"
#include "schedule/color_keyword.h"
#include "settings/calendar_source_store.h"
#include "ui/panel_context.h"
#include "ui/qt_colors.h"

namespace murva {
namespace {

enum Column { kName, kColor, kUse, kAddress, kStatus, kColumnCount };

constexpr const char* kFileFilter = "iCalendar (*.ics *.ICS *.ical *.ifb);;すべてのファイル (*)";

QString Q(const std::string& text) { return QString::fromStdString(text); }

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  return button;
}

}  // namespace

CalendarSourcesPanel::CalendarSourcesPanel(PanelContext& context, QWidget* parent,
                                           std::unique_ptr<CalendarFetcher> fetcher)
    : QWidget(parent),
      context_(context),
      fetcher_(std::move(fetcher)),
      refresh_(std::make_unique<CalendarRefresh>(*fetcher_, CalendarCache::Default())) {
  setObjectName("PanelCalendarSources");
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* group = new QGroupBox(" カレンダの取り込み（iCalendar ファイル・購読アドレス） ", this);
  outer->addWidget(group);
  auto* layout = new QVBoxLayout(group);

  list_ = new QTreeWidget(group);
  list_->setObjectName("TreeCalendarSources");
  list_->setColumnCount(kColumnCount);
  list_->setHeaderLabels({"名前", "色", "使い方", "ファイル・アドレス", "状態"});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  for (const int column : {kColor, kUse}) {
    list_->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
  list_->setColumnWidth(kName, 140);
  list_->setColumnWidth(kAddress, 240);
  list_->header()->setSectionResizeMode(kStatus, QHeaderView::Stretch);
  list_->setMinimumHeight(list_->fontMetrics().height() * 5);
  list_->setToolTip("名前はダブルクリックで変更、左のチェックで使う・使わないを切り替えます");
  layout->addWidget(list_, 1);
  connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (showing_) return;
    const int row = list_->indexOfTopLevelItem(item);
    if (column != kName || row < 0) return;
    const bool on = item->checkState(kName) == Qt::Checked;
    const std::string name = item->text(kName).trimmed().toStdString();
    ChangeSource(row, [on, name](CalendarSource& source) {
      source.on = on;
      source.name = name;
    });
  });

  auto* buttons = new QHBoxLayout;
  add_file_ = MakeButton(group, "ButtonAddCalendarFile", "ファイルを追加…",
                         "カレンダのファイル（.ics）を取り込みます");
  add_address_ = MakeButton(group, "ButtonAddCalendarAddress", "アドレスを追加…",
                            "カレンダの購読アドレス（https://、webcal://）を取り込みます");
  remove_ = MakeButton(group, "ButtonRemoveCalendar", "削除", "選んだカレンダを外します");
  refresh_button_ = MakeButton(group, "ButtonRefreshCalendars", "今すぐ更新",
                               "購読しているカレンダを今すぐ取得し直します");
  period_ = new QSpinBox(group);
  period_->setObjectName("SpinCalendarRefresh");
  period_->setRange(kMinRefreshMinutes, kMaxRefreshMinutes);
  period_->setSuffix(" 分ごと");
  period_->setToolTip("常駐中に購読カレンダを取得し直す間隔");
  note_ = new QLabel(group);
  note_->setObjectName("LabelCalendarNote");
  for (QWidget* widget : std::initializer_list<QWidget*>{add_file_, add_address_, remove_, refresh_button_}) {
    buttons->addWidget(widget);
  }
  buttons->addWidget(new QLabel("更新間隔", group));
  buttons->addWidget(period_);
  buttons->addWidget(note_, 1);
  layout->addLayout(buttons);

  connect(add_file_, &QPushButton::clicked, this, &CalendarSourcesPanel::AskForFile);
  connect(add_address_, &QPushButton::clicked, this, &CalendarSourcesPanel::AskForAddress);
  connect(remove_, &QPushButton::clicked, this, &CalendarSourcesPanel::RemoveSelected);
  connect(refresh_button_, &QPushButton::clicked, this, [this] { RefreshNow(0); });
  connect(period_, &QSpinBox::valueChanged, this, [this](int minutes) {
    if (showing_ || settings_.refresh_minutes == minutes) return;
    settings_.refresh_minutes = minutes;
    Store();
  });
  Show();
  // Copies older than the period are fetched in the background; the
  // preview shows the new events once they are there.
  RefreshNow(std::int64_t{settings_.refresh_minutes} * 60);
}

CalendarSourcesPanel::~CalendarSourcesPanel() = default;

std::filesystem::path CalendarSourcesPanel::SettingsPath() const {
  return context_.Cycle().State().program_folder / "MURVA32.INI";
}

void CalendarSourcesPanel::Show() {
  settings_ = LoadCalendarSettings(SettingsPath());
  showing_ = true;
  {
    const QSignalBlocker block(period_);
    period_->setValue(settings_.refresh_minutes);
  }
  list_->clear();
  for (int row = 0; row < static_cast<int>(settings_.sources.size()); ++row) {
    auto* item = new QTreeWidgetItem(list_);
    item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
    ShowRow(row);
  }
  showing_ = false;
  ShowStatus();
}

void CalendarSourcesPanel::ShowRow(int row) {
  const CalendarSource& source = settings_.sources[static_cast<std::size_t>(row)];
  QTreeWidgetItem* item = list_->topLevelItem(row);
  item->setText(kName, Q(source.name));
  item->setCheckState(kName, source.on ? Qt::Checked : Qt::Unchecked);
  item->setText(kAddress, Q(MaskedAddress(source.address)));
  item->setToolTip(kAddress, Q(MaskedAddress(source.address)));

  auto* color = new QComboBox(list_);
  color->setObjectName(QString("ComboCalendarColor%1").arg(row + 1));
  color->addItem("");
  for (const char* name : kColorKeywordItems) color->addItem(name);
  color->setCurrentText(Q(source.color));
  if (const std::optional<Color> shown = LookupPreviewColor(source.color)) {
    QPixmap swatch(12, 12);
    swatch.fill(ToQColor(*shown));
    color->setItemIcon(color->currentIndex(), QIcon(swatch));
  }
  connect(color, &QComboBox::currentTextChanged, this, [this, row](const QString& text) {
    ChangeSource(row, [text](CalendarSource& source) { source.color = text.toStdString(); });
  });
  list_->setItemWidget(item, kColor, color);

  auto* use = new QComboBox(list_);
  use->setObjectName(QString("ComboCalendarUse%1").arg(row + 1));
  for (const char* caption : kCalendarUseCaptions) use->addItem(caption);
  use->setCurrentIndex(static_cast<int>(source.use));
  connect(use, &QComboBox::currentIndexChanged, this, [this, row](int index) {
    ChangeSource(row, [index](CalendarSource& source) { source.use = static_cast<CalendarUse>(index); });
  });
  list_->setItemWidget(item, kUse, use);
}

void CalendarSourcesPanel::ShowStatus() {
  const CalendarCache cache = CalendarCache::Default();
  for (int row = 0; row < list_->topLevelItemCount(); ++row) {
    const CalendarSource& source = settings_.sources[static_cast<std::size_t>(row)];
    const QString status = Refreshing() && source.Kind() == CalendarKind::kSubscription
                               ? QString("取得中…")
                               : Q(CalendarStatusText(source, cache));
    QTreeWidgetItem* item = list_->topLevelItem(row);
    item->setText(kStatus, status);
    item->setToolTip(kStatus, status);
  }
  refresh_button_->setEnabled(!Refreshing());
  note_->setText(Refreshing() ? "購読カレンダを取得しています…" : QString());
}

void CalendarSourcesPanel::Store() {
  context_.Guarded([this] { SaveCalendarSettings(SettingsPath(), settings_); });
  // What was stored is what the list shows from here on.
  Show();
  context_.PictureChanged();
}

void CalendarSourcesPanel::ChangeSource(int row, const std::function<void(CalendarSource&)>& change) {
  if (row < 0 || row >= static_cast<int>(settings_.sources.size())) return;
  CalendarSource& source = settings_.sources[static_cast<std::size_t>(row)];
  const CalendarSource before = source;
  change(source);
  if (source == before) return;
  // Show rebuilds the widgets of the row that called here: later.
  QMetaObject::invokeMethod(this, [this] { Store(); }, Qt::QueuedConnection);
}

void CalendarSourcesPanel::AddFile(const QString& path) {
  if (path.isEmpty()) return;
  CalendarSource source;
  source.address = QFileInfo(path).absoluteFilePath().toStdString();
  source.name = QFileInfo(path).completeBaseName().toStdString();
  if (KindOfAddress(source.address) != CalendarKind::kFile) source.address = path.toStdString();
  settings_.sources.push_back(source);
  Store();
}

void CalendarSourcesPanel::AddAddress(const QString& address) {
  const std::string text = address.trimmed().toStdString();
  if (text.empty()) return;
  if (KindOfAddress(text) != CalendarKind::kSubscription) {
    context_.ShowMessage("カレンダのアドレスは https://、http:// または webcal:// で始まります",
                         MessageIcon::kWarning);
    return;
  }
  CalendarSource source;
  source.address = text;
  const std::string masked = MaskedAddress(text);
  const std::size_t host = masked.find("://");
  source.name = host == std::string::npos ? masked : masked.substr(host + 3, masked.find('/', host + 3) - host - 3);
  settings_.sources.push_back(source);
  Store();
  RefreshNow(0);
}

void CalendarSourcesPanel::RemoveSelected() {
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  if (row < 0 || row >= static_cast<int>(settings_.sources.size())) return;
  const std::string address = settings_.sources[static_cast<std::size_t>(row)].address;
  settings_.sources.erase(settings_.sources.begin() + row);
  Store();
  // A copy nobody uses any more goes with it.
  const bool still_used = std::any_of(settings_.sources.begin(), settings_.sources.end(),
                                      [&address](const CalendarSource& source) { return source.address == address; });
  if (!still_used && KindOfAddress(address) == CalendarKind::kSubscription) {
    CalendarCache::Default().Forget(address);
  }
}

bool CalendarSourcesPanel::Refreshing() const { return refresh_->Busy(); }

bool CalendarSourcesPanel::RefreshNow(std::int64_t min_age_seconds) {
  const bool started =
      refresh_->Start(settings_, min_age_seconds, [this](const std::vector<RefreshReport>& reports) {
        ShowStatus();
        const bool changed = std::any_of(reports.begin(), reports.end(),
                                         [](const RefreshReport& report) { return report.changed; });
        if (changed) context_.PictureChanged();
        emit RefreshFinished();
      });
  ShowStatus();
  return started;
}

void CalendarSourcesPanel::AskForFile() {
  const QString file = context_.Dialog().OpenFileName(this, QString(), kFileFilter);
  AddFile(file);
}

void CalendarSourcesPanel::AskForAddress() {
  bool ok = false;
  const QString address = QInputDialog::getText(
      this, "カレンダの購読", "カレンダのアドレス（https://…、webcal://…）:", QLineEdit::Normal,
      QString(), &ok);
  if (ok) AddAddress(address);
}

}  // namespace murva
