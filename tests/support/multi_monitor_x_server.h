// An X server with several monitors of different sizes, for tests: Xorg
// with the dummy video driver (xserver-xorg-video-dummy 0.4), whose sixteen
// RandR outputs DUMMY0 ... DUMMY15 each take any mode of the configuration;
// the first is lit at the start, the others once xrandr gives them a mode.
// The driver reports an output connected from its first mode on, but the
// server tells clients so only after its next probe of the outputs, so the
// helpers here probe (xrandr --query) after each change.
// Xvfb has a single output; Xephyr makes its several screens separate X
// screens, or with +xinerama one screen whose RandR still shows a single
// output ("default"); so this is the way to a RandR layout of several
// monitors without a graphics card. Xorg runs only for the superuser here
// (a user's Xorg needs a console), as tests do in CI.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/session_process.h"
#include "support/temp_folder.h"

namespace murva::testing {

struct XMonitorSpec {
  int width = 1920;
  int height = 1080;
  // The place in the desktop; x < 0: right of the monitor before, top
  // aligned.
  int x = -1;
  int y = 0;
};

class MultiMonitorXServer {
 public:
  // The monitors DUMMY0, DUMMY1, ... in this order; `primary` is the index
  // of the primary one.
  explicit MultiMonitorXServer(const std::vector<XMonitorSpec>& monitors, int primary = 0) {
    if (monitors.empty()) return;
    if (geteuid() != 0) {
      problem_ = "Xorg with the dummy driver needs the superuser";
      return;
    }
    WriteConfiguration(monitors);
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) return;
    const std::string log = (folder_ / "Xorg.log").string();
    std::map<std::string, std::string> variables = {{"PATH", std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin"}};
    ProcessSetup setup{{"Xorg", "-displayfd", "9", "-config", (folder_ / "xorg.conf").string(),
                        "-configdir", (folder_ / "conf.d").string(), "-logfile", log, "-noreset",
                        "-nolisten", "tcp", "-novtswitch", "-keeptty"},
                       variables, folder_.Path(), -1, -1, ready[1]};
    server_ = std::make_unique<SessionProcess>(SessionUser{geteuid(), getegid()}, setup);
    ::close(ready[1]);
    const auto number = ReadLine(ready[0], std::chrono::seconds(30));
    ::close(ready[0]);
    if (!number || number->empty()) {
      problem_ = "Xorg did not start: " + ReadBytes(folder_ / "Xorg.log");
      server_.reset();
      return;
    }
    display_ = ":" + *number;
    if (!Arrange(monitors, primary)) {
      problem_ = "xrandr could not lay out the monitors";
      server_.reset();
      display_.clear();
    }
  }

  MultiMonitorXServer(const MultiMonitorXServer&) = delete;
  MultiMonitorXServer& operator=(const MultiMonitorXServer&) = delete;

  bool Running() const { return server_ && !display_.empty(); }
  const std::string& Problem() const { return problem_; }
  const std::string& Display() const { return display_; }
  static std::string OutputName(int index) { return "DUMMY" + std::to_string(index); }

  // xrandr with these arguments on the server: its exit code, its output in
  // *output when asked.
  int Xrandr(const std::vector<std::string>& arguments, std::string* output = nullptr) const {
    std::vector<std::string> command = {"xrandr", "-display", display_};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const char* path = std::getenv("PATH");
    return RunSessionCommand(SessionUser{geteuid(), getegid()},
                             ProcessSetup{command, {{"PATH", path ? path : "/usr/bin:/bin"}}, {}},
                             output);
  }

  // Gives an output a mode of the configuration ("1280x1024") and a place.
  bool Light(int index, const std::string& mode, int x, int y) const {
    const std::string output = OutputName(index);
    Xrandr({"--addmode", output, mode});  // fails harmlessly when it has the mode already
    return Xrandr({"--output", output, "--mode", mode, "--pos",
                   std::to_string(x) + "x" + std::to_string(y)}) == 0 &&
           Probe();
  }

  // Has the server probe its outputs, so that it tells their connection as
  // it is.
  bool Probe() const {
    std::string ignored;
    return Xrandr({"--query"}, &ignored) == 0;
  }

 private:
  static std::string ModeName(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
  }

  // Timings are of no matter to the dummy driver, only that they are
  // valid: 60 Hz with reduced blanking (which the monitor section allows),
  // and a clock limit high enough for the largest monitors.
  static std::string Modeline(int width, int height) {
    const int htotal = width + 160, vtotal = height + 40;
    const double clock = htotal * static_cast<double>(vtotal) * 60 / 1e6;
    return "  Modeline \"" + ModeName(width, height) + "\" " + std::to_string(clock) + " " +
           std::to_string(width) + " " + std::to_string(width + 48) + " " +
           std::to_string(width + 80) + " " + std::to_string(htotal) + " " +
           std::to_string(height) + " " + std::to_string(height + 3) + " " +
           std::to_string(height + 8) + " " + std::to_string(vtotal) + " +hsync -vsync\n";
  }

  void WriteConfiguration(const std::vector<XMonitorSpec>& monitors) {
    // Every monitor's size, and a few more that tests switch to.
    std::vector<std::pair<int, int>> sizes;
    for (const XMonitorSpec& monitor : monitors) sizes.emplace_back(monitor.width, monitor.height);
    for (const auto& size : {std::pair{1024, 768}, std::pair{1280, 1024}, std::pair{1920, 1080}}) {
      sizes.push_back(size);
    }
    std::string modelines, names;
    std::set<std::pair<int, int>> seen;
    for (const auto& [width, height] : sizes) {
      if (!seen.insert({width, height}).second) continue;
      modelines += Modeline(width, height);
      names += " \"" + ModeName(width, height) + "\"";
    }
    std::filesystem::create_directories(folder_ / "conf.d");
    WriteBytes(folder_ / "xorg.conf",
               "Section \"ServerFlags\"\n"
               "  Option \"AutoAddDevices\" \"false\"\n"
               "  Option \"AutoAddGPU\" \"false\"\n"
               "  Option \"DontVTSwitch\" \"true\"\n"
               "EndSection\n"
               "Section \"Device\"\n"
               "  Identifier \"dummy\"\n"
               "  Driver \"dummy\"\n"
               // Room for a large desktop; the driver takes memory as it is used.
               "  VideoRam 1048576\n"
               "  DacSpeed 4000\n"
               "EndSection\n"
               "Section \"Monitor\"\n"
               "  Identifier \"monitor\"\n"
               "  HorizSync 5.0-1000.0\n"
               "  VertRefresh 5.0-200.0\n"
               "  Option \"ReducedBlanking\"\n" +
                   modelines +
                   "EndSection\n"
                   "Section \"Screen\"\n"
                   "  Identifier \"screen\"\n"
                   "  Device \"dummy\"\n"
                   "  Monitor \"monitor\"\n"
                   "  DefaultDepth 24\n"
                   "  SubSection \"Display\"\n"
                   "    Depth 24\n"
                   "    Modes" +
                   names +
                   "\n"
                   "  EndSubSection\n"
                   "EndSection\n");
  }

  bool Arrange(const std::vector<XMonitorSpec>& monitors, int primary) {
    int next_x = 0;
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
      const XMonitorSpec& monitor = monitors[i];
      const int x = monitor.x >= 0 ? monitor.x : next_x;
      next_x = std::max(next_x, x + monitor.width);
      const std::string output = OutputName(static_cast<int>(i));
      const std::string mode = ModeName(monitor.width, monitor.height);
      if (i > 0) Xrandr({"--addmode", output, mode});
      arguments.insert(arguments.end(), {"--output", output, "--mode", mode, "--pos",
                                         std::to_string(x) + "x" + std::to_string(monitor.y)});
      if (static_cast<int>(i) == primary) arguments.push_back("--primary");
    }
    return Xrandr(arguments) == 0 && Probe();
  }

  TempFolder folder_;
  std::unique_ptr<SessionProcess> server_;
  std::string display_, problem_;
};

}  // namespace murva::testing
