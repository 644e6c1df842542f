// The demo's picture maker: help on --help, a usage error for anything it
// does not know, and a picture of the size asked for.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>

#include "support/temp_folder.h"

namespace murva {
namespace {

struct ProgramRun {
  int code = -1;
  QString out;
  QString err;
};

ProgramRun DemoPicture(const QStringList& arguments, const std::filesystem::path& folder) {
  QProcess process;
  process.setWorkingDirectory(QString::fromStdString(folder.string()));
  process.start(QString(MURVA_TEST_BIN_DIR) + "/murva32-demo-picture", arguments);
  ProgramRun run;
  if (!process.waitForFinished(30000)) return run;
  run.code = process.exitCode();
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

TEST(DemoPicture, HelpAndUsageErrorsWriteNoPicture) {
  testing::TempFolder folder;
  const struct {
    QStringList arguments;
    int code;
    const char* says;  // in the output (help) or the error output
  } cases[] = {
      {{"--help"}, 0, "usage: murva32-demo-picture"},
      {{"-h"}, 0, "WIDTH HEIGHT"},
      {{"--verbose", "x.png"}, 2, "unknown switch: --verbose"},
      {{"x.png", "wide", "10"}, 2, "not a width: wide"},
      {{"x.png", "10", "0"}, 2, "not a height: 0"},
      {{"x.png", "10"}, 2, "usage:"},
      {{}, 2, "usage:"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const ProgramRun run = DemoPicture(c.arguments, folder.Path());
    EXPECT_EQ(run.code, c.code) << run.err.toStdString();
    EXPECT_TRUE((c.code == 0 ? run.out : run.err).contains(c.says))
        << run.out.toStdString() << run.err.toStdString();
    // Nothing was written, least of all a picture named after a switch.
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
  }
  const ProgramRun made = DemoPicture({"sky.png", "64", "40"}, folder.Path());
  ASSERT_EQ(made.code, 0) << made.err.toStdString();
  EXPECT_EQ(QImage(QString::fromStdString((folder / "sky.png").string())).size(), QSize(64, 40));
}

}  // namespace
}  // namespace murva
