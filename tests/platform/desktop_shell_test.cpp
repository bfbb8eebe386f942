#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/qt_services.h"

namespace tallyra {
namespace {

// The help button says "cannot open" only if OpenFile tells the truth: a missing file and
// a file of a type no program is registered for are both refused (on Windows the shell's
// own answer, SE_ERR_NOASSOC; on Linux xdg-mime's).
TEST(DesktopShellTest, RefusesWhatNoProgramCanOpen) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString unknown = dir.filePath(QStringLiteral("帮助.tallyra-no-such-type"));
  QFile file(unknown);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("x");
  file.close();
  DesktopShell shell;
  EXPECT_FALSE(shell.OpenFile(dir.filePath(QStringLiteral("missing.chm"))));
  EXPECT_FALSE(shell.OpenFile(unknown));
}

}  // namespace
}  // namespace tallyra
