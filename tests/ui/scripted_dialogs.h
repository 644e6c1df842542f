// Dialogs answered by a script instead of a person, for the window tests:
// every message, question, file and font dialog is recorded and answered
// from the queues below.
#pragma once

#include <QFont>
#include <QString>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/process_launcher.h"
#include "ui/dialogs.h"

namespace murva::testing {

class ScriptedDialogs : public Dialogs {
 public:
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;   // to the questions, in turn; no when none is left
  std::deque<QString> files;  // chosen in the file dialogs; cancelled when none is left
  std::vector<QString> filters;
  std::vector<QString> folders;  // where the file dialogs opened
  std::deque<std::optional<QFont>> fonts;  // answers, in order; none left: cancel
  std::vector<QFont> font_requests;        // the fonts the dialogs started from
  // "Save the changes before closing?": asked, and answered in turn (none
  // left: not saved, so that a test that leaves edits behind still ends).
  std::vector<std::string> save_questions;
  std::deque<SaveChoice> save_answers;

  QString OpenFileName(QWidget*, const QString& folder, const QString& filter) override {
    filters.push_back(filter);
    folders.push_back(folder);
    if (files.empty()) return {};
    QString file = files.front();
    files.pop_front();
    return file;
  }
  std::optional<QFont> ChooseFont(QWidget*, const QFont& initial) override {
    font_requests.push_back(initial);
    if (fonts.empty()) return std::nullopt;
    std::optional<QFont> answer = fonts.front();
    fonts.pop_front();
    return answer;
  }
  void Message(QWidget*, const QString& text, MessageIcon) override {
    messages.push_back(text.toStdString());
  }
  SaveChoice AskSaveChanges(QWidget*, const QString& text) override {
    save_questions.push_back(text.toStdString());
    if (save_answers.empty()) return SaveChoice::kDiscard;
    const SaveChoice answer = save_answers.front();
    save_answers.pop_front();
    return answer;
  }
  bool Ask(QWidget*, const QString& text) override {
    questions.push_back(text.toStdString());
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class NoLauncher : public ProcessLauncher {
 public:
  int Start(const std::string&, const std::filesystem::path&) override { return 0; }
};

}  // namespace murva::testing
