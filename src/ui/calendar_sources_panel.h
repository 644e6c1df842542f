// The calendar sources on the schedule page: iCalendar files and
// subscriptions whose events join the schedule list (or colour the month
// calendars as holidays or special days). A source is added from a file or
// an address, named, given a colour keyword and a use, switched on and off
// and removed; "今すぐ更新" fetches the subscriptions at once; each source
// shows its last fetch, its number of events and its last error.
//
// Every change is saved at once, so that the preview, the next build, the
// resident mode and the command line read what the list shows.
#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>

#include "app/calendar_refresh.h"
#include "platform/calendar_fetcher.h"
#include "settings/calendar_source.h"

class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class QLabel;

namespace murva {

class PanelContext;

class CalendarSourcesPanel : public QWidget {
  Q_OBJECT

 public:
  explicit CalendarSourcesPanel(PanelContext& context, QWidget* parent = nullptr,
                                std::unique_ptr<CalendarFetcher> fetcher = MakeNetworkCalendarFetcher());
  ~CalendarSourcesPanel() override;

  // The list shows the stored sources again.
  void Show();

  // The actions behind the buttons (the buttons ask for the file or the
  // address first).
  void AddFile(const QString& path);
  void AddAddress(const QString& address);
  void RemoveSelected();
  // Fetches the switched-on subscriptions (min_age_seconds as
  // CalendarRefresh::Start); false when a fetch is already running.
  bool RefreshNow(std::int64_t min_age_seconds = 0);
  bool Refreshing() const;

  const CalendarSettings& Settings() const { return settings_; }

 signals:
  // A fetch started by RefreshNow has ended.
  void RefreshFinished();

 private:
  std::filesystem::path SettingsPath() const;
  void Store();  // saves the list; the preview follows
  void ShowRow(int row);
  void ShowStatus();
  void ChangeSource(int row, const std::function<void(CalendarSource&)>& change);
  void AskForFile();
  void AskForAddress();

  PanelContext& context_;
  std::unique_ptr<CalendarFetcher> fetcher_;
  std::unique_ptr<CalendarRefresh> refresh_;
  CalendarSettings settings_;
  QTreeWidget* list_ = nullptr;
  QPushButton* add_file_ = nullptr;
  QPushButton* add_address_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* refresh_button_ = nullptr;
  QSpinBox* period_ = nullptr;
  QLabel* note_ = nullptr;
  bool showing_ = false;
};

}  // namespace murva
