// Starting the special program: the command line is split into words (double
// quotes group words, no shell is involved), the program runs in the given
// folder, it is not waited for and leaves no zombie behind.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace murva {

// Splits a command line into words. Blanks separate words; a pair of double
// quotes groups blanks into a word; the quotes themselves are dropped.
std::vector<std::string> SplitCommandLine(const std::string& command_line);

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts the command; returns 0 on success or the errno of the failure.
  virtual int Start(const std::string& command_line,
                    const std::filesystem::path& working_folder) = 0;
};

// posix_spawn with a background reaper, so the child never stays a zombie.
class SpawnLauncher final : public ProcessLauncher {
 public:
  int Start(const std::string& command_line,
            const std::filesystem::path& working_folder) override;
};

}  // namespace murva
