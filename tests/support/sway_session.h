// A sway session for tests: sway without a screen (wlroots' headless
// backend, no input devices, the pixman renderer), run as the session's
// user (nobody when the test runs as root: sway refuses root), with or
// without Xwayland. Outputs are added with CreateOutput (`swaymsg
// create_output`) and set with Command("output NAME mode 1920x1080 scale
// 1.5"). Programs run inside it as its user (DesktopSession).
//
// sway 1.7's headless backend cannot take an output away again ("Cannot
// disable a headless output"). A nested session can: sway draws its outputs
// as windows of a parent session (wlroots' Wayland backend), and closing
// such a window in the parent unplugs the output (UnplugOutput).
#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <set>

#include "support/desktop_session.h"

namespace murva::testing {

class SwaySession;

struct SwayOptions {
  bool xwayland = false;
  // Draw the outputs as windows of this session instead of headless.
  const SwaySession* parent = nullptr;
  // More lines for sway's configuration.
  std::string config{};
};

class SwaySession : public DesktopSession {
 public:
  explicit SwaySession(SwayOptions options = {}) {
    if (Folder().empty()) return;
    const std::filesystem::path config = Home() / "config";
    // The windows of a nested session's outputs keep their size (they
    // float). The first command sway runs once it is up tells the test its
    // names, on the descriptor the test waits on.
    WriteBytes(config, std::string("xwayland ") + (options.xwayland ? "enable" : "disable") +
                           "\nfor_window [title=\"^wlroots - \"] floating enable\n" +
                           options.config + "\n" +
                           "exec printf '%s\\n%s\\n%s\\n' \"$WAYLAND_DISPLAY\" \"$DISPLAY\" "
                           "\"$SWAYSOCK\" >&9\n");
    GiveTo(config, User());
    std::map<std::string, std::string> variables = {{"WLR_LIBINPUT_NO_DEVICES", "1"},
                                                    {"WLR_RENDERER", "pixman"}};
    if (options.parent) {
      variables["WLR_BACKENDS"] = "wayland";
      variables["WAYLAND_DISPLAY"] = options.parent->WaylandSocket().string();
    } else {
      variables["WLR_BACKENDS"] = "headless";
    }
    StartCompositor({"sway", "-c", config.string()}, variables, 3);
    if (options.xwayland) SetX11Display(Answer(1));
    sway_socket_ = Answer(2);
  }

  const std::string& SwaySocket() const { return sway_socket_; }

  std::map<std::string, std::string> Variables() const override {
    std::map<std::string, std::string> variables = DesktopSession::Variables();
    variables["SWAYSOCK"] = sway_socket_;
    variables["XDG_CURRENT_DESKTOP"] = "sway";
    return variables;
  }

  // swaymsg COMMAND: true when every command in it succeeded.
  bool Command(const std::string& command) const {
    std::string reply;
    if (Run({"swaymsg", "--raw", command}, &reply) != 0) return false;
    const QJsonArray results = QJsonDocument::fromJson(QByteArray::fromStdString(reply)).array();
    if (results.isEmpty()) return false;
    for (const auto& result : results) {
      if (!result.toObject().value("success").toBool()) return false;
    }
    return true;
  }
  // swaymsg -t TYPE, read as JSON ("get_tree", "get_outputs").
  QJsonDocument Message(const std::string& type) const {
    std::string reply;
    Run({"swaymsg", "--raw", "-t", type}, &reply);
    return QJsonDocument::fromJson(QByteArray::fromStdString(reply));
  }
  QJsonArray Outputs() const { return Message("get_outputs").array(); }
  QJsonObject Tree() const { return Message("get_tree").object(); }
  std::set<std::string> OutputNames() const {
    std::set<std::string> names;
    for (const auto& output : Outputs()) {
      names.insert(output.toObject().value("name").toString().toStdString());
    }
    return names;
  }

  // Adds an output (at the backend's default size until set otherwise); its
  // name, "" when none came.
  std::string CreateOutput() const {
    const std::set<std::string> before = OutputNames();
    if (!Command("create_output")) return {};
    for (const std::string& name : OutputNames()) {
      if (!before.count(name)) return name;
    }
    return {};
  }
  // A screenshot of an output (all outputs when output is empty) as PNG,
  // taken with grim (wlroots' screencopy).
  bool Screenshot(const std::filesystem::path& png, const std::string& output = "") const {
    const std::filesystem::path taken = Folder() / "screenshot.png";
    std::vector<std::string> command = {"grim"};
    if (!output.empty()) command.insert(command.end(), {"-o", output});
    command.push_back(taken.string());
    if (Run(command) != 0) return false;
    std::error_code error;
    std::filesystem::copy_file(taken, png, std::filesystem::copy_options::overwrite_existing, error);
    std::filesystem::remove(taken, error);
    return std::filesystem::exists(png);
  }

  // Unplugs an output of a session nested in `parent`: its window there is
  // closed (wlroots titles it "wlroots - NAME").
  bool UnplugOutput(const std::string& name, const SwaySession& parent) const {
    return parent.Command("[title=\"^wlroots - " + name + "$\"] kill");
  }

 private:
  std::string sway_socket_;
};

}  // namespace murva::testing
