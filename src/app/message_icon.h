// The icon a message box shows: information for notices and explanations,
// a warning for something the user should put right, an error for a step
// that failed.
#pragma once

namespace murva {

enum class MessageIcon { kInformation, kWarning, kError };

}  // namespace murva
