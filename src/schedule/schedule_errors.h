// The errors of the schedule subsystem. Each carries the system's own message
// text; a window handler shows it in a message box.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace murva {

// The texts of the messages below are shown as readable text: a control
// character (a NUL byte included, which would otherwise end the message)
// appears as "\x" and its two hex digits; the Text() accessors keep the
// bytes as they were.
std::string ReadableText(std::string_view text);

// A field that must be an integer is not one: "'<text>' は整数ではありません".
// Raised by the expansion for a year field that is neither "@@" nor digits,
// and by the day field of the editor for a pattern day such as "WX".
class ScheduleIntegerError : public std::runtime_error {
 public:
  // `text` is the offending text in UTF-8.
  explicit ScheduleIntegerError(std::string_view text);
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// A text that must be a date is not one: "'<text>' は日付ではありません".
// Raised by the expansion for a start marker whose dates do not read.
class ScheduleDateError : public std::runtime_error {
 public:
  explicit ScheduleDateError(std::string_view text);
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// A file that exists cannot be opened: "ﾌｧｲﾙ <path> は開けません", followed on
// a line of its own by the reason when one is given.
class ScheduleFileOpenError : public std::runtime_error {
 public:
  explicit ScheduleFileOpenError(const std::filesystem::path& path, std::string_view reason = {});
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A file cannot be written: "ﾌｧｲﾙ <path> を作成できません".
class ScheduleFileCreateError : public std::runtime_error {
 public:
  explicit ScheduleFileCreateError(const std::filesystem::path& path);
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The editor's fields do not make an entry: "入力された予定の値が不適当です",
// or one of the more precise messages below.
class InvalidEntryError : public std::runtime_error {
 public:
  InvalidEntryError();

 protected:
  explicit InvalidEntryError(const std::string& message);
};

inline constexpr const char* kInvalidEntryMessage = "入力された予定の値が不適当です";

// The entry's text (or colour name) holds a character that the schedule
// file, written in CP932, cannot hold; the message names it.
class UnstorableEntryTextError : public InvalidEntryError {
 public:
  // `character` in UTF-8.
  explicit UnstorableEntryTextError(std::string_view character);
  const std::string& Character() const { return character_; }

 private:
  std::string character_;
};

// The fields name a date that no calendar has (31 February, 29 February of
// a common year, 31 April in every year); the message names it.
class ImpossibleEntryDateError : public InvalidEntryError {
 public:
  // `year` 0 for an entry of every year ("@@").
  ImpossibleEntryDateError(int year, int month, int day);
};

}  // namespace murva
