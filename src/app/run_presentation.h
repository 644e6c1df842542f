// How a run shows itself on the session it runs in: with the control panel,
// minimised, as a floating window, as a desktop notification counting down,
// or with no window at all. Decided once, from what the session allows, so
// that the decision is a table rather than a scatter of checks.
#pragma once

#include <string>

namespace murva {

// What the run was asked for.
struct RunRequest {
  bool automatic = false;   // -E or -e
  bool minimised = false;   // -e
  bool unattended = false;  // --unattended (and every run of the resident mode)
};

// What the session offers, as far as the decision needs it.
struct SessionAbilities {
  bool display = false;              // a display server was reached
  bool can_minimise = false;         // the window manager minimises windows
  bool tiling = false;               // windows are tiled unless they ask to float
  bool notifications = false;        // a notification server runs
  bool notification_actions = false; // ... and it offers buttons on its notices
};

struct RunPresentation {
  // The control panel window is made and shown (minimised when asked).
  bool window = false;
  bool minimise = false;
  // The window keeps its own size and asks to float (a dialog-like window of
  // fixed size), so a tiling desktop does not squeeze the user's windows for
  // the countdown.
  bool floating = false;
  // No window: the countdown is a desktop notification with the seconds left
  // and, where the server offers buttons, "build now" and "cancel".
  bool notification_countdown = false;
  bool notification_buttons = false;
  // Messages wait in message boxes until they are answered; otherwise they
  // go to standard error and a desktop notification.
  bool message_boxes = false;
};

RunPresentation DecidePresentation(const RunRequest& request, const SessionAbilities& session);

// Whether the day of the build (CalMakeDay) is recorded after an automatic
// run: only when the wallpaper was written and, unless only making it was
// asked for, installed. A run that built nothing leaves the day as it was,
// so the next log-on or the resident mode tries again.
bool RecordsBuildDay(bool picture_written, bool installed, bool make_only);

}  // namespace murva
