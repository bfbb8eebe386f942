#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

// The test main maps the fonts as the program does at start-up.
namespace tallyra {
namespace {

// The forms name "宋体" and "楷体_GB2312". Each must come out as that face or one of its
// stand-ins (the English Windows names, the AR PL faces on Linux), never as the default
// sans face a missing family falls back to.
TEST(FontMappingTest, TheFormFacesResolveToThemselvesOrTheirStandIns) {
  if (QFontDatabase::families().isEmpty()) {
    // Qt's offscreen platform on Windows has no font database at all.
    GTEST_SKIP() << "this platform lists no fonts";
  }
  const struct {
    const char* face;
    QStringList accepted;
  } cases[] = {
      {"宋体", {"宋体", "SimSun", "AR PL UMing CN"}},
      {"楷体_GB2312", {"楷体_GB2312", "楷体", "KaiTi", "AR PL UKai CN"}},
  };
  for (const auto& c : cases) {
    const QString family = QFontInfo(QFont(QString::fromUtf8(c.face))).family();
    EXPECT_TRUE(c.accepted.contains(family)) << c.face << " came out as " << family.toStdString();
  }
}

}  // namespace
}  // namespace tallyra
