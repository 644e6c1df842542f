// The desktop of an end-to-end test's X server as a user sees it: a window
// manager that frames windows, the top-level windows by caption, their frame
// positions, and the close button.
#pragma once

#include "support/wait_for.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>
// Xlib last: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace murva::testing {

// A window manager on a display, ended with the test.
class WindowManager {
 public:
  explicit WindowManager(const std::string& display) {
    pid_ = fork();
    if (pid_ == 0) {
      setenv("DISPLAY", display.c_str(), 1);
      execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~WindowManager() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
  }
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

 private:
  pid_t pid_ = -1;
};

struct FramePosition {
  int x = 0;
  int y = 0;
  bool operator==(const FramePosition&) const = default;
};

class X11Desktop {
 public:
  explicit X11Desktop(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
    // A window may go away between finding it and asking about it.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  }
  ~X11Desktop() {
    if (display_) XCloseDisplay(display_);
  }
  bool Open() const { return display_ != nullptr; }

  // Whether a window manager has announced itself on the root window.
  bool ManagerRunning() {
    return !Property(DefaultRootWindow(display_), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, 1).empty();
  }

  // A shown dialog (a message box: _NET_WM_WINDOW_TYPE_DIALOG) with exactly
  // this title, 0 when there is none.
  Window FindDialog(const std::string& title) {
    return FindDialog(DefaultRootWindow(display_), title);
  }

  // The top-level window with exactly this title, 0 when there is none.
  Window Find(const std::string& title) { return Find(DefaultRootWindow(display_), title); }

  // The titles of the windows shown now (mapped and viewable), "none" when
  // no window is shown.
  std::string ShownTitles() {
    std::string titles;
    CollectShown(DefaultRootWindow(display_), titles);
    return titles.empty() ? "none" : titles;
  }

  // The titles of all named windows, for a failure message.
  std::string Titles() {
    std::string titles;
    Collect(DefaultRootWindow(display_), titles);
    return titles.empty() ? "none" : titles;
  }

  // The window's frame position, once the window manager has framed it.
  std::optional<FramePosition> Frame(Window window) {
    const std::vector<long> extents = Property(window, "_NET_FRAME_EXTENTS", XA_CARDINAL, 4);
    if (extents.size() != 4) return std::nullopt;
    int x = 0, y = 0;
    Window child;
    if (!XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y,
                               &child)) {
      return std::nullopt;
    }
    return FramePosition{x - static_cast<int>(extents[0]), y - static_cast<int>(extents[2])};
  }

  // The window manager's close button: WM_DELETE_WINDOW.
  void Close(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
  }

 private:
  // The window's caption: _NET_WM_NAME (UTF-8), else WM_NAME.
  std::string Title(Window window) {
    Atom type;
    int format;
    unsigned long items, remaining;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_NAME", False), 0, 1024,
                           False, XInternAtom(display_, "UTF8_STRING", False), &type, &format,
                           &items, &remaining, &data) == Success &&
        data) {
      title.assign(reinterpret_cast<char*>(data), items);
    }
    if (data) XFree(data);
    if (!title.empty()) return title;
    char* name = nullptr;
    if (XFetchName(display_, window, &name) && name) {
      title = name;
      XFree(name);
    }
    return title;
  }

  std::vector<long> Property(Window window, const char* name, Atom kind, long count) {
    std::vector<long> values;
    Atom type;
    int format;
    unsigned long items, remaining;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, name, False), 0, count, False,
                           kind, &type, &format, &items, &remaining, &data) == Success &&
        data && format == 32) {
      const long* longs = reinterpret_cast<const long*>(data);
      values.assign(longs, longs + items);
    }
    if (data) XFree(data);
    return values;
  }

  void Collect(Window window, std::string& titles) {
    if (const std::string name = Title(window); !name.empty()) {
      titles += (titles.empty() ? "\"" : ", \"") + name + "\"";
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return;
    for (unsigned i = 0; i < count; ++i) Collect(children[i], titles);
    if (children) XFree(children);
  }

  bool IsDialog(Window window) {
    const Atom dialog = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    for (const long type : Property(window, "_NET_WM_WINDOW_TYPE", XA_ATOM, 8)) {
      if (static_cast<Atom>(type) == dialog) return true;
    }
    return false;
  }

  Window FindDialog(Window window, const std::string& title) {
    XWindowAttributes attributes;
    if (window != DefaultRootWindow(display_) &&
        (!XGetWindowAttributes(display_, window, &attributes) ||
         attributes.map_state != IsViewable)) {
      return 0;
    }
    if (Title(window) == title && IsDialog(window)) return window;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) found = FindDialog(children[i], title);
    if (children) XFree(children);
    return found;
  }

  void CollectShown(Window window, std::string& titles) {
    XWindowAttributes attributes;
    if (window != DefaultRootWindow(display_) &&
        (!XGetWindowAttributes(display_, window, &attributes) ||
         attributes.map_state != IsViewable)) {
      return;
    }
    if (const std::string name = Title(window); !name.empty()) {
      titles += (titles.empty() ? "\"" : ", \"") + name + "\"";
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return;
    for (unsigned i = 0; i < count; ++i) CollectShown(children[i], titles);
    if (children) XFree(children);
  }

  Window Find(Window window, const std::string& title) {
    if (Title(window) == title) return window;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) found = Find(children[i], title);
    if (children) XFree(children);
    return found;
  }

  Display* display_;
};

}  // namespace murva::testing
