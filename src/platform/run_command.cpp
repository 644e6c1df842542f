#include "platform/run_command.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace murva {
namespace {

QStringList ArgumentList(const std::vector<std::string>& arguments) {
  QStringList list;
  for (const auto& argument : arguments) list << QString::fromStdString(argument);
  return list;
}

}  // namespace

int RunCommand(const std::string& program, const std::vector<std::string>& arguments,
               std::string* output, std::string* error_output) {
  QProcess process;
  process.start(QString::fromStdString(program), ArgumentList(arguments));
  if (!process.waitForStarted(10000)) return -1;
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished(1000);
    return -1;
  }
  if (output) *output = process.readAllStandardOutput().toStdString();
  if (error_output) *error_output = process.readAllStandardError().toStdString();
  if (process.exitStatus() != QProcess::NormalExit) return -1;
  return process.exitCode();
}

bool CommandExists(const std::string& program) {
  return !QStandardPaths::findExecutable(QString::fromStdString(program)).isEmpty();
}

long long StartDetachedCommand(const std::string& program, const std::vector<std::string>& arguments) {
  QProcess process;
  process.setProgram(QString::fromStdString(program));
  process.setArguments(ArgumentList(arguments));
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  qint64 pid = 0;
  if (!process.startDetached(&pid)) return 0;
  return pid;
}

std::string TrimmedOutput(std::string text) {
  const auto blank = [](char c) { return c == '\n' || c == '\r' || c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && blank(text[start])) ++start;
  return text.substr(start);
}

}  // namespace murva
