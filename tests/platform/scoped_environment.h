// Process environment changes for one test, undone at its end, and a lookup
// over a fixed set of variables.
#pragma once

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "platform/program_folder.h"

namespace murva::testing {

class ScopedEnvironment {
 public:
  ScopedEnvironment() = default;
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  void Set(const std::string& name, const std::string& value) {
    Remember(name);
    setenv(name.c_str(), value.c_str(), 1);
  }
  void Unset(const std::string& name) {
    Remember(name);
    unsetenv(name.c_str());
  }
  // Puts a folder in front of PATH.
  void PrependPath(const std::string& folder) {
    const char* path = std::getenv("PATH");
    Set("PATH", folder + ":" + (path ? path : "/usr/bin:/bin"));
  }

 private:
  void Remember(const std::string& name) {
    if (saved_.count(name)) return;
    const char* value = std::getenv(name.c_str());
    saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
  }

  std::map<std::string, std::optional<std::string>> saved_;
};

inline EnvironmentLookup Environment(std::map<std::string, std::string> values) {
  return [values](const std::string& name) {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
  };
}

}  // namespace murva::testing
