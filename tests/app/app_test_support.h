// Shared pieces of the run-cycle and build tests: a window that records what
// it was asked, fakes at the platform seam, and a program folder with a
// settings file.
#pragma once

#include <QImage>
#include <QString>
#include <deque>
#include <string>
#include <vector>

#include "app/run_view.h"
#include "calendar/random_source.h"
#include "platform/process_launcher.h"
#include "platform/wallpaper_installer.h"
#include "support/temp_folder.h"

namespace murva::testing {

class RecordingView : public RunView {
 public:
  std::vector<std::string> captions;
  std::vector<std::pair<std::string, Color>> statuses;
  std::vector<int> countdowns;
  std::vector<std::string> messages;
  std::vector<MessageIcon> message_icons;
  bool minimized = false;
  int close_requests = 0;
  bool timer_enabled = false;
  bool info_panel_shown = false;
  bool shrunk = false;
  int restored_height = 0;
  int client_height = 600;
  int page_position_refreshes = 0;
  bool test_run_marked = false;
  int highlighted_weekday = 0;
  std::string mode_text;
  Color mode_panel = 0, mode_font = 0;
  std::string version;
  std::pair<int, int> window_position{-1, -1};
  ScreenSize screen{1024, 768};

  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetStatus(const std::string& text, Color color) override { statuses.emplace_back(text, color); }
  void SetCountdown(int seconds) override { countdowns.push_back(seconds); }
  void ShowMessage(const std::string& text, MessageIcon icon) override {
    messages.push_back(text);
    message_icons.push_back(icon);
  }
  void MinimizeApplication() override { minimized = true; }
  void CloseMainWindow() override {
    ++close_requests;
    timer_enabled = false;
  }
  void Repaint() override {}
  void SetTimerEnabled(bool enabled) override { timer_enabled = enabled; }
  void ShowInfoPanel() override { info_panel_shown = true; }
  void RefreshControls() override {}
  void RefreshPagePositions() override { ++page_position_refreshes; }
  void ShowModeIndicator(const std::string& text, Color panel, Color font) override {
    mode_text = text;
    mode_panel = panel;
    mode_font = font;
  }
  void SetShrunk(bool value, int full_client_height) override {
    shrunk = value;
    if (!value) restored_height = full_client_height;
  }
  int ClientHeight() const override { return client_height; }
  void MarkTestRun() override { test_run_marked = true; }
  void HighlightWeekdaySelector(int weekday) override { highlighted_weekday = weekday; }
  void SetVersionLabels(const std::string& text) override { version = text; }
  ScreenSize Screen() const override { return screen; }
  ScreenSize WindowSize() const override { return {400, 300}; }
  void MoveWindow(int left, int top) override { window_position = {left, top}; }
};

class FakeLauncher : public ProcessLauncher {
 public:
  std::vector<std::pair<std::string, std::filesystem::path>> started;
  int result = 0;
  int Start(const std::string& command_line, const std::filesystem::path& folder) override {
    started.emplace_back(command_line, folder);
    return result;
  }
};

class FakeInstaller : public WallpaperInstaller {
 public:
  std::vector<std::filesystem::path> installed;
  std::vector<QImage> pixels_in_memory;  // one per InstallPicture
  bool succeed = true;
  std::string Name() const override { return "fake"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override {
    installed.push_back(picture);
    if (!succeed) error = "refused";
    return succeed;
  }
  bool InstallPicture(const std::filesystem::path& picture, const QImage& pixels,
                      std::string& error) override {
    pixels_in_memory.push_back(pixels);
    return Install(picture, error);
  }
  // Several monitors at once: the pictures as the desktop gets them.
  std::vector<MonitorWallpaper> monitor_wallpapers;
  bool InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                       std::string& error) override {
    if (wallpapers.size() == 1) return WallpaperInstaller::InstallMonitors(wallpapers, error);
    monitor_wallpapers = wallpapers;
    for (const MonitorWallpaper& wallpaper : wallpapers) installed.push_back(wallpaper.file);
    if (!succeed) error = "refused";
    return succeed;
  }
};

// Answers random(n) from a script, then 0.
class ScriptedRandom : public RandomSource {
 public:
  std::deque<int> values;
  int Next(int n) override {
    if (values.empty() || n <= 0) return 0;
    const int value = values.front() % n;
    values.pop_front();
    return value;
  }
};

// A settings file with CR LF lines in the given sections.
inline void WriteIni(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  WriteBytes(path, bytes);
}

// A picture whose colour tells where a pixel came from: quadrants of four
// colours plus a marker pixel in the top-left corner.
inline QImage QuadrantPicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2;
      const bool bottom = y >= height / 2;
      image.setPixel(x, y, qRgb(right ? 200 : 40, bottom ? 180 : 60, 90));
    }
  }
  image.setPixel(0, 0, qRgb(255, 0, 255));
  return image;
}

inline void SavePicture(const QImage& image, const std::filesystem::path& path, const char* format) {
  std::filesystem::create_directories(path.parent_path());
  image.save(QString::fromStdString(path.string()), format);
}

}  // namespace murva::testing
