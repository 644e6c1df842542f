#include <QProcess>
#include <QStringList>

#include "platform/gnome_installer.h"

namespace murva {

int RunCommand(const std::string& program, const std::vector<std::string>& arguments,
               std::string* output, std::string* error_output) {
  QStringList list;
  for (const auto& argument : arguments) list << QString::fromStdString(argument);
  QProcess process;
  process.start(QString::fromStdString(program), list);
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

}  // namespace murva
