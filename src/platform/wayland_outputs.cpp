#include "platform/wayland_outputs.h"

#include <poll.h>
#include <sys/socket.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>

#include "platform/monitor_scale.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace murva {
namespace {

// The highest versions this code understands: wl_output 4 names the
// output; xdg-output 3 leaves the end of a change to wl_output.done.
constexpr uint32_t kOutputVersion = 4;
constexpr uint32_t kXdgOutputManagerVersion = 3;

using Clock = std::chrono::steady_clock;

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
}

}  // namespace

struct WaylandOutputs::Output {
  WaylandOutputs* owner = nullptr;
  uint32_t version = 0;
  wl_output* output = nullptr;
  zxdg_output_v1* xdg = nullptr;
  std::string name;      // wl_output.name (version 4)
  std::string xdg_name;  // zxdg_output_v1.name (version 2)
  int x = 0, y = 0;      // wl_output.geometry: the position, in the compositor's space
  int transform = WL_OUTPUT_TRANSFORM_NORMAL;
  int mode_width = 0, mode_height = 0;  // the current mode
  int scale = 1;                        // the whole factor clients draw their buffers at
  bool has_logical = false;
  int logical_x = 0, logical_y = 0, logical_width = 0, logical_height = 0;

  ~Output() {
    if (xdg) zxdg_output_v1_destroy(xdg);
    if (output) {
      if (version >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
        wl_output_release(output);
      } else {
        wl_output_destroy(output);
      }
    }
  }

  // The end of a change of the output's state.
  void Done() {
    if (owner->started_) owner->changed_ = true;
  }

  static void OnGeometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t,
                         const char*, const char*, int32_t transform) {
    auto* self = static_cast<Output*>(data);
    self->x = x;
    self->y = y;
    self->transform = transform;
    if (self->version < 2) self->Done();  // version 1 sends no done
  }
  static void OnMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height,
                     int32_t) {
    auto* self = static_cast<Output*>(data);
    if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
    self->mode_width = width;
    self->mode_height = height;
    if (self->version < 2) self->Done();
  }
  static void OnDone(void* data, wl_output*) { static_cast<Output*>(data)->Done(); }
  static void OnScale(void* data, wl_output*, int32_t factor) {
    static_cast<Output*>(data)->scale = std::max(1, factor);
  }
  static void OnName(void* data, wl_output*, const char* name) {
    static_cast<Output*>(data)->name = name ? name : "";
  }
  static void OnDescription(void*, wl_output*, const char*) {}

  static void OnLogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
    auto* self = static_cast<Output*>(data);
    self->has_logical = true;
    self->logical_x = x;
    self->logical_y = y;
  }
  static void OnLogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
    auto* self = static_cast<Output*>(data);
    self->has_logical = true;
    self->logical_width = width;
    self->logical_height = height;
  }
  static void OnXdgDone(void* data, zxdg_output_v1*) { static_cast<Output*>(data)->Done(); }
  static void OnXdgName(void* data, zxdg_output_v1*, const char* name) {
    static_cast<Output*>(data)->xdg_name = name ? name : "";
  }
  static void OnXdgDescription(void*, zxdg_output_v1*, const char*) {}

  static constexpr wl_output_listener kListener = {OnGeometry, OnMode,  OnDone,
                                                   OnScale,    OnName, OnDescription};
  static constexpr zxdg_output_v1_listener kXdgListener = {
      OnLogicalPosition, OnLogicalSize, OnXdgDone, OnXdgName, OnXdgDescription};
};

std::string WaylandSocketPath(const EnvironmentLookup& environment) {
  const std::string name = environment("WAYLAND_DISPLAY");
  if (name.empty()) return {};
  if (name.front() == '/') return name;
  const std::string runtime = environment("XDG_RUNTIME_DIR");
  if (runtime.empty()) return {};
  return (std::filesystem::path(runtime) / name).string();
}

std::unique_ptr<WaylandOutputs> WaylandOutputs::Connect(const std::string& socket,
                                                        int timeout_ms) {
  if (socket.empty()) return nullptr;
  std::unique_ptr<WaylandOutputs> outputs(new WaylandOutputs);
  outputs->display_ = wl_display_connect(socket.c_str());
  if (!outputs->display_) return nullptr;
  static constexpr wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};
  outputs->registry_ = wl_display_get_registry(outputs->display_);
  wl_registry_add_listener(outputs->registry_, &kRegistryListener, outputs.get());
  // The first answer brings the globals (and binds the outputs); the
  // second, the state of each output and its logical geometry.
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  if (!outputs->RoundTrip(MillisecondsUntil(deadline)) ||
      !outputs->RoundTrip(MillisecondsUntil(deadline))) {
    return nullptr;
  }
  outputs->started_ = true;
  outputs->changed_ = false;
  return outputs;
}

WaylandOutputs::~WaylandOutputs() {
  outputs_.clear();
  if (xdg_manager_) zxdg_output_manager_v1_destroy(xdg_manager_);
  if (registry_) wl_registry_destroy(registry_);
  if (display_) wl_display_disconnect(display_);
}

void WaylandOutputs::OnGlobal(void* data, wl_registry*, uint32_t name, const char* interface,
                              uint32_t version) {
  auto* self = static_cast<WaylandOutputs*>(data);
  const std::string kind = interface ? interface : "";
  self->interfaces_.insert(kind);
  if (kind == wl_output_interface.name) {
    self->AddOutput(name, version);
  } else if (kind == zxdg_output_manager_v1_interface.name && !self->xdg_manager_) {
    self->xdg_manager_ = static_cast<zxdg_output_manager_v1*>(
        wl_registry_bind(self->registry_, name, &zxdg_output_manager_v1_interface,
                         std::min(version, kXdgOutputManagerVersion)));
    for (auto& [global, output] : self->outputs_) self->AskLogicalGeometry(*output);
  }
}

void WaylandOutputs::OnGlobalRemove(void* data, wl_registry*, uint32_t name) {
  static_cast<WaylandOutputs*>(data)->RemoveGlobal(name);
}

void WaylandOutputs::AddOutput(uint32_t name, uint32_t version) {
  auto output = std::make_unique<Output>();
  output->owner = this;
  output->version = std::min(version, kOutputVersion);
  output->output = static_cast<wl_output*>(
      wl_registry_bind(registry_, name, &wl_output_interface, output->version));
  wl_output_add_listener(output->output, &Output::kListener, output.get());
  AskLogicalGeometry(*output);
  outputs_[name] = std::move(output);
  if (started_) changed_ = true;
}

void WaylandOutputs::RemoveGlobal(uint32_t name) {
  if (outputs_.erase(name) > 0 && started_) changed_ = true;
}

void WaylandOutputs::AskLogicalGeometry(Output& output) {
  if (!xdg_manager_ || output.xdg) return;
  output.xdg = zxdg_output_manager_v1_get_xdg_output(xdg_manager_, output.output);
  zxdg_output_v1_add_listener(output.xdg, &Output::kXdgListener, &output);
}

bool WaylandOutputs::RoundTrip(int timeout_ms) {
  bool answered = false;
  static constexpr wl_callback_listener kSyncListener = {
      [](void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }};
  wl_callback* callback = wl_display_sync(display_);
  wl_callback_add_listener(callback, &kSyncListener, &answered);
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  const int fd = wl_display_get_fd(display_);
  while (!answered && !broken_) {
    if (wl_display_prepare_read(display_) != 0) {
      // Events are queued already: handle them first.
      if (wl_display_dispatch_pending(display_) < 0) broken_ = true;
      continue;
    }
    if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
      wl_display_cancel_read(display_);
      broken_ = true;
      break;
    }
    pollfd ready{fd, POLLIN, 0};
    const int polled = ::poll(&ready, 1, MillisecondsUntil(deadline));
    if (polled <= 0) {
      wl_display_cancel_read(display_);
      if (polled < 0 && errno == EINTR) continue;
      break;  // no answer in time
    }
    if (wl_display_read_events(display_) < 0 || wl_display_dispatch_pending(display_) < 0) {
      broken_ = true;
    }
  }
  wl_callback_destroy(callback);
  return answered && !broken_;
}

int WaylandOutputs::Fd() const { return wl_display_get_fd(display_); }

bool WaylandOutputs::Dispatch() {
  if (broken_) return false;
  while (wl_display_prepare_read(display_) != 0) {
    if (wl_display_dispatch_pending(display_) < 0) {
      broken_ = true;
      return false;
    }
  }
  wl_display_flush(display_);
  pollfd ready{Fd(), POLLIN, 0};
  if (::poll(&ready, 1, 0) > 0) {
    if (wl_display_read_events(display_) < 0) broken_ = true;
  } else {
    wl_display_cancel_read(display_);
  }
  if (!broken_ && wl_display_dispatch_pending(display_) < 0) broken_ = true;
  if (!broken_) wl_display_flush(display_);  // the binds made for new outputs
  return !broken_;
}

bool WaylandOutputs::TakeChange() {
  const bool changed = changed_;
  changed_ = false;
  return changed;
}

pid_t WaylandOutputs::CompositorProcess() const {
  ucred peer{};
  socklen_t length = sizeof peer;
  if (::getsockopt(Fd(), SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0) return 0;
  return peer.pid;
}

MonitorLayout WaylandOutputs::Layout() const {
  MonitorLayout layout;
  for (const auto& [global, output] : outputs_) {
    if (output->mode_width <= 0 || output->mode_height <= 0) continue;  // not lit
    Monitor monitor;
    monitor.name = !output->name.empty()       ? output->name
                   : !output->xdg_name.empty() ? output->xdg_name
                                               : "WL-" + std::to_string(global);
    const PixelSize physical =
        TransformedSize(output->mode_width, output->mode_height, output->transform);
    monitor.pixel_width = physical.width;
    monitor.pixel_height = physical.height;
    if (output->has_logical && output->logical_width > 0 && output->logical_height > 0) {
      monitor.desktop = {output->logical_x, output->logical_y, output->logical_width,
                         output->logical_height};
    } else {
      // Without xdg-output the compositor scales by whole factors only.
      monitor.desktop = {output->x, output->y, physical.width / output->scale,
                         physical.height / output->scale};
    }
    monitor.scale = ScaleOfSizes(physical, {monitor.desktop.width, monitor.desktop.height});
    layout.push_back(std::move(monitor));
  }
  ArrangeMonitorLayout(layout, -1);
  return layout;
}

}  // namespace murva
