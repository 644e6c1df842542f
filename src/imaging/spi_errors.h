#pragma once

// Errors of the plug-in manager.

#include <stdexcept>
#include <string>

namespace murva {

// A plug-in file could not be loaded.
class ESPIFOpenErrorSPI : public std::runtime_error {
 public:
  explicit ESPIFOpenErrorSPI(const std::string& file_name);
};

// An entry point that a plug-in's kind requires, or that is about to be
// called, is missing.
class ESPIInvalidAPI : public std::runtime_error {
 public:
  ESPIInvalidAPI(const std::string& entry_point, const std::string& file_name);
};

// A second plug-in manager was created.
class ESPIDupCreateSPIs : public std::runtime_error {
 public:
  ESPIDupCreateSPIs();
};

}  // namespace murva
