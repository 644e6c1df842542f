// A connection to a Wayland compositor that keeps track of its outputs: the
// wl_output globals (mode, scale, transform, name) and, where the compositor
// offers zxdg_output_manager_v1, their logical position and size. It also
// remembers which other globals the compositor announced, so that one
// connection tells what the session allows.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/monitor_layout.h"
#include "platform/program_folder.h"

struct wl_display;
struct wl_registry;
struct zxdg_output_manager_v1;

namespace murva {

// The compositor's socket as the environment names it: $WAYLAND_DISPLAY,
// in $XDG_RUNTIME_DIR unless it is an absolute path; empty when unset.
std::string WaylandSocketPath(const EnvironmentLookup& environment);

class WaylandOutputs {
 public:
  // Connects and waits (at most timeout_ms) until the compositor has told
  // its globals and the state of every output. nullptr when no compositor
  // answers in time.
  static std::unique_ptr<WaylandOutputs> Connect(const std::string& socket, int timeout_ms);
  ~WaylandOutputs();
  WaylandOutputs(const WaylandOutputs&) = delete;
  WaylandOutputs& operator=(const WaylandOutputs&) = delete;

  // The lit outputs as monitors, in the layout's order.
  MonitorLayout Layout() const;
  // Whether the compositor announced a global of this interface.
  bool HasGlobal(const std::string& interface) const { return interfaces_.count(interface) > 0; }
  // The process at the other end of the socket; 0 when unknown.
  pid_t CompositorProcess() const;

  // Readable when the compositor has sent something.
  int Fd() const;
  // Reads and handles what is waiting, without blocking. False when the
  // connection has ended.
  bool Dispatch();
  // Whether an output came, went, or finished a change of its state since
  // the last call.
  bool TakeChange();

  struct Output;  // one wl_output with its xdg_output

 private:
  WaylandOutputs() = default;
  // Sends what is queued and waits for the compositor to answer it.
  bool RoundTrip(int timeout_ms);
  void AddOutput(uint32_t name, uint32_t version);
  void RemoveGlobal(uint32_t name);
  void AskLogicalGeometry(Output& output);

  static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version);
  static void OnGlobalRemove(void* data, wl_registry* registry, uint32_t name);

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  zxdg_output_manager_v1* xdg_manager_ = nullptr;
  std::map<uint32_t, std::unique_ptr<Output>> outputs_;  // by global name
  std::set<std::string> interfaces_;
  bool changed_ = false;
  bool started_ = false;  // the first state has been received
  bool broken_ = false;
};

}  // namespace murva
