// Running the small command-line tools through which several desktops take
// their settings (gsettings, xfconf-query, swaymsg, pcmanfm...).
#pragma once

#include <string>
#include <vector>

namespace murva {

// Runs a command with arguments (no shell) and waits for it; returns its exit
// code, or -1 when it could not run or did not end in time. Its standard
// output and standard error are given back when asked for.
int RunCommand(const std::string& program, const std::vector<std::string>& arguments,
               std::string* output = nullptr, std::string* error_output = nullptr);

// Whether a program of that name is found on PATH.
bool CommandExists(const std::string& program);

// Starts a command that keeps running after this program ends (a wallpaper
// daemon). Returns its process id, or 0 when it could not start.
long long StartDetachedCommand(const std::string& program, const std::vector<std::string>& arguments);

// The text without the line breaks and blanks a tool prints around it.
std::string TrimmedOutput(std::string text);

}  // namespace murva
