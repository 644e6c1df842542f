#include "app/run_presentation.h"

namespace murva {

RunPresentation DecidePresentation(const RunRequest& request, const SessionAbilities& session) {
  RunPresentation shown;
  // Without a display there is nothing to show anything on; nobody to answer
  // either: the run tells what happened on standard error.
  if (!session.display) return shown;
  if (!request.automatic) {
    shown.window = true;
    shown.message_boxes = true;
    return shown;
  }
  if (request.unattended) return shown;  // never a window, never a question
  shown.message_boxes = true;
  if (request.minimised && !session.can_minimise) {
    // "-e" where windows cannot be minimised: a notification counts down
    // instead; a message box still appears when something must be said.
    shown.notification_countdown = session.notifications;
    shown.notification_buttons = session.notifications && session.notification_actions;
    return shown;
  }
  shown.window = true;
  shown.minimise = request.minimised;
  shown.floating = session.tiling;
  return shown;
}

bool RecordsBuildDay(bool picture_written, bool installed, bool make_only) {
  return picture_written && (installed || make_only);
}

}  // namespace murva
