// The fatal-error box: one text, shown through the message boxes like every other message.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "data/fatal_error.h"
#include "platform/qt_services.h"

namespace tallyra {
namespace {

TEST(FatalErrorTextTest, ShowsTheCodeAndTextOnlyWhenThereAreAny) {
  EXPECT_EQ(FatalErrorText(3, "指定字段不存在"),
            "运行时出错!\n\n错误代码：3\n\n错误信息：指定字段不存在");
  EXPECT_EQ(FatalErrorText(0, "x"), "运行时出错!\n\n错误信息：x");
  EXPECT_EQ(FatalErrorText(0, ""), "运行时出错!");
}

// Message boxes that write what they are asked to show into a file, which outlives the
// process the fatal error ends.
class BoxesIntoFile final : public MessageBoxes {
 public:
  explicit BoxesIntoFile(QString path) : path_(std::move(path)) {}

 protected:
  MessageAnswer Present(QWidget*, const Message& message) override {
    QFile file(path_);
    if (file.open(QIODevice::Append)) {
      const bool ok = message.buttons == MessageButtons::kOk;
      const bool error = message.icon == MessageIcon::kError;
      file.write((message.title + '|' + (ok ? "OK" : "other") + '|' + (error ? "error" : "other") +
                  '|' + message.text + '\n')
                     .toUtf8());
    }
    return MessageAnswer::kOk;
  }

 private:
  QString path_;
};

TEST(FatalErrorBoxTest, IsTheServicesBoxAloneAndEndsTheProcess) {
  // Forked where it stands, so that the child writes where this process reads.
  GTEST_FLAG_SET(death_test_style, "fast");
  // A fixed name: on Windows the child is this test program run again, with a temporary
  // folder of its own, not a fork of this process.
  const QString shown = QDir::temp().filePath(QStringLiteral("tallyra-fatal-error-box.txt"));
  QFile::remove(shown);
  EXPECT_EXIT(
      {
        BoxesIntoFile boxes(shown);
        QtProcessControl(boxes).FatalError(12, QStringLiteral("指定字段不存在"));
      },
      ::testing::ExitedWithCode(1), "^$")
      << "nothing on the standard error";
  QFile file(shown);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no box was shown";
  EXPECT_EQ(
      QString::fromUtf8(file.readAll()),
      QStringLiteral("信息：|OK|error|运行时出错!\n\n错误代码：12\n\n错误信息：指定字段不存在\n"));
}

}  // namespace
}  // namespace tallyra
