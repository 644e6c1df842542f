// Loading and saving the calendar sources in the settings file, in the
// section of their own that the Windows program never reads. The control
// panel saves the list at every change, so that a build, the resident mode
// and the command line always read what the panel shows.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "settings/calendar_source.h"

namespace murva {

inline constexpr const char* kCalendarSection = "Murva32Cal";

// The sources stored in the settings file; none when the file or the
// section is missing. A source without an address is skipped.
CalendarSettings LoadCalendarSettings(const std::filesystem::path& ini_path);

// Why a source cannot be stored as it is (a text longer than the settings
// file holds in one value), or nullopt.
std::optional<std::string> UnstorableSourceReason(const CalendarSource& source);

// Replaces the stored list by this one; the keys of sources no longer in it
// are emptied, so no removed address stays in the file. The settings file
// is made readable by its owner only before the addresses go into it.
// Throws SettingsWriteError when the file cannot be written (it stays as it
// was), std::invalid_argument for a source UnstorableSourceReason refuses.
void SaveCalendarSettings(const std::filesystem::path& ini_path, const CalendarSettings& settings);

}  // namespace murva
