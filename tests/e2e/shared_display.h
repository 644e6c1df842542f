// The one virtual X server of the end-to-end tests (1024x768), started before
// the test program's own GUI application so that the program under test and
// the in-process drawings render text on the same platform.
#pragma once

#include "support/xvfb_server.h"

namespace murva::testing {

XvfbServer& SharedDisplay();

}  // namespace murva::testing
