// The author's message window as a plain state: six text pages stepped by
// clicks, a speech line for each page, the extra button of the last page.
// TFormMsg shows it; tests step it without a window.
#pragma once

#include <array>
#include <string>

namespace murva {

inline constexpr int kMessagePageCount = 6;

class AuthorMessage {
 public:
  enum class ClickResult { kNothing, kNextPage, kClose };

  // FormActivate: page 1 with its speech line; the extra button keeps its state.
  void Activate();
  // ImageMsgClick: pages 1 .. 5 step to the next page (the speech panel
  // widens on leaving page 1, the extra button appears on page 6); page 6
  // closes the window; a closed window does nothing.
  ClickResult Click();
  // FormClose: back to the closed state, the extra button hidden.
  void Close();

  int Counter() const { return counter_; }          // 0 closed, 1 .. 6 the page shown
  bool Open() const { return counter_ != 0; }
  const std::string& PageText() const;              // empty while closed
  const std::string& Speech() const;                // empty while closed
  bool ButtonVisible() const { return button_visible_; }
  int TalkWidth() const { return talk_width_; }

  // Fixed texts of the window.
  static const std::array<std::string, kMessagePageCount>& PageTexts();
  static const std::array<std::string, kMessagePageCount>& SpeechLines();
  static const std::string& ButtonMessage();  // the message box of the extra button

  static constexpr int kNarrowTalkWidth = 190;
  static constexpr int kWideTalkWidth = 210;

 private:
  int counter_ = 0;
  bool button_visible_ = false;
  int talk_width_ = kNarrowTalkWidth;
};

// The texts of the window's frame.
inline constexpr const char* kMessageCaption = "MURVA32  作者からのメッセージ";
inline constexpr const char* kMessageTitleLine = "MURVA32 for Linux";
inline constexpr const char* kMessageFootLine = "詳しくは man murva32";
inline constexpr const char* kMessageButtonCaption = "おまけ";

}  // namespace murva
