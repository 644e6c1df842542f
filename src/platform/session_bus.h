// Short-lived connections to the session bus. Each use opens a connection of
// its own and closes it again, so a bus that went away (or a new one, in a
// new session) is never talked to through a stale connection.
#pragma once

#include <QVariantList>
#include <string>
#include <vector>

namespace murva {

// Whether the session bus can be reached at all (its address is set, or the
// user's bus socket exists), so that nothing tries to start a bus.
bool SessionBusAvailable();

// Whether a name has an owner on the session bus now.
bool SessionBusNameHasOwner(const std::string& name);

// Calls a method with one text argument and waits for the answer. Returns
// false and fills error with the bus's error when the call fails.
bool CallSessionBusMethod(const std::string& service, const std::string& path,
                          const std::string& interface, const std::string& method,
                          const std::string& argument, std::string& error);

// The same with any arguments, waiting at most timeout_ms for the answer.
bool CallSessionBusMethod(const std::string& service, const std::string& path,
                          const std::string& interface, const std::string& method,
                          const QVariantList& arguments, int timeout_ms, std::string& error);

}  // namespace murva
