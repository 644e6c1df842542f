// Stand-ins for the command-line tools some desktops take their wallpaper
// through: small scripts in a folder put in front of PATH that record every
// call (one argument a line, then a line "--end--") and answer as told.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scoped_environment.h"
#include "support/temp_folder.h"

namespace murva::testing {

class FakeCommands {
 public:
  explicit FakeCommands(const std::filesystem::path& folder) : folder_(folder) {
    std::filesystem::create_directories(folder_);
    environment_.PrependPath(folder_.string());
  }

  // A command that records its call, prints `answer` and exits with `code`.
  // `body` runs after the answer (shell text).
  void Add(const std::string& name, const std::string& answer = "", int code = 0,
           const std::string& body = "") {
    const auto script = folder_ / name;
    std::string text = "#!/bin/sh\n";
    text += "log=\"${0%/*}/" + name + ".calls\"\n";
    text += "for argument in \"$@\"; do printf '%s\\n' \"$argument\" >> \"$log\"; done\n";
    text += "printf -- '--end--\\n' >> \"$log\"\n";
    if (!answer.empty()) text += "printf '%s\\n' '" + answer + "'\n";
    text += body;
    text += "exit " + std::to_string(code) + "\n";
    WriteBytes(script, text);
    chmod(script.c_str(), 0755);
  }

  // Every call of a command, each as its arguments.
  std::vector<std::vector<std::string>> Calls(const std::string& name) const {
    std::vector<std::vector<std::string>> calls;
    std::vector<std::string> current;
    const std::string text = ReadBytes(folder_ / (name + ".calls"));
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t end = text.find('\n', start);
      const std::string line = text.substr(start, end - start);
      start = end == std::string::npos ? text.size() : end + 1;
      if (line == "--end--") {
        calls.push_back(current);
        current.clear();
      } else {
        current.push_back(line);
      }
    }
    return calls;
  }

  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  ScopedEnvironment environment_;
};

}  // namespace murva::testing
