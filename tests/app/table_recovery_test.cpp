#include "app/table_recovery.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/catalogue.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {
namespace {

namespace fs = std::filesystem;

// The operator table with one operator, backed up on the fake clock's day, then damaged;
// a program started afterwards (a fresh store with the recovery installed) opens it.
class TableRecoveryTest : public UiFixture {
 protected:
  void SetUp() override {
    InstallTableRecovery(*context_);
    AddOperator("admin", "pw", "超级管理员");
    table_ = store_->ResolvePath("bsf\\Zhgl.bsf");
    after_ = std::make_unique<RecordStore>(store_->Location());
    afterContext_ = std::make_unique<AppContext>(AppContext{state_, *after_, fakes_.services});
    InstallTableRecovery(*afterContext_);
  }
  void Damage() {
    std::ifstream in(table_, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    const std::size_t at = bytes.find("admin");
    ASSERT_NE(at, std::string::npos);
    bytes[at] = 'A';
    std::ofstream(table_, std::ios::binary | std::ios::trunc) << bytes;
    damaged_ = bytes;
  }
  std::string Bytes(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool OpenOperators() {
    return after_->Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword);
  }

  std::string table_, damaged_;
  std::unique_ptr<RecordStore> after_;
  std::unique_ptr<AppContext> afterContext_;
};

TEST_F(TableRecoveryTest, NoLeavesTheDamagedTableAsItIsAndYesRestoresTheBackup) {
  Damage();
  fakes_.messages.answers = {MessageAnswer::kNo};
  EXPECT_FALSE(OpenOperators());
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  const Message& offer = fakes_.messages.shown[0];
  EXPECT_EQ(offer.buttons, MessageButtons::kYesNo);
  EXPECT_TRUE(offer.text.contains(QString::fromStdString(table_))) << offer.text.toStdString();
  EXPECT_TRUE(offer.text.contains(QStringLiteral("找到 2011-11-25 的备份")));
  EXPECT_TRUE(offer.text.contains(QStringLiteral("Zhgl.bsf.damaged-20111125-090507")));
  EXPECT_EQ(Bytes(table_), damaged_);

  fakes_.messages.answers = {MessageAnswer::kYes};
  ASSERT_TRUE(OpenOperators()) << after_->LastErrorText();
  EXPECT_EQ(after_->ReadText(1), "admin");
  EXPECT_EQ(Bytes(table_ + ".damaged-20111125-090507"), damaged_);
  EXPECT_EQ(fakes_.messages.shown.size(), 2u);
}

TEST_F(TableRecoveryTest, WithoutABackupTheMessageSaysSoAndWhatToDo) {
  fs::remove_all(fs::path(table_).parent_path() / "backup");
  Damage();
  EXPECT_FALSE(OpenOperators());
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  const Message& told = fakes_.messages.shown[0];
  EXPECT_EQ(told.buttons, MessageButtons::kOk);
  EXPECT_TRUE(told.text.contains(QStringLiteral("没有找到这个文件可用的备份")));
  EXPECT_TRUE(told.text.contains(QStringLiteral("备份与恢复")));
  EXPECT_EQ(Bytes(table_), damaged_);
}

TEST_F(TableRecoveryTest, ABackupThatFailsIsReportedOnceAndTheWorkGoesOn) {
  // A file where the backup folder should be: no backup can be made.
  fs::remove_all(fs::path(table_).parent_path() / "backup");
  std::ofstream(fs::path(table_).parent_path() / "backup") << "in the way";
  fakes_.clock.now = fakes_.clock.now.addDays(1);
  ASSERT_TRUE(OpenOperators());
  ASSERT_TRUE(after_->AppendEmpty());
  ASSERT_TRUE(after_->ModifyAt(1, {Value(std::string("second"))}));
  fakes_.clock.now = fakes_.clock.now.addDays(1);
  ASSERT_TRUE(after_->DeleteAt(1));
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  EXPECT_TRUE(fakes_.messages.shown[0].text.contains(QStringLiteral("自动备份失败")));
  EXPECT_EQ(after_->RecordCount(), 1);
}

// Nothing is damaged: the start-up says what the folder is and what still works, once,
// offers no restore, and the program goes on to the login.
TEST_F(TableRecoveryTest, AReadOnlyDataFolderIsToldOnceAndOffersNoRestore) {
  if (!ReadOnlyFolder::Supported()) GTEST_SKIP() << "no read-only folders to make here";
  const std::string folder = table_.substr(0, table_.find_last_of('/'));
  const std::string bytes = Bytes(table_);
  bool prepared = false;
  {
    ReadOnlyFolder readOnly(dir_.path().toStdString(), folder);
    prepared = PrepareTables(*afterContext_);
    EXPECT_TRUE(OpenOperators()) << after_->LastErrorText();
    EXPECT_FALSE(after_->AppendEmpty());
  }
  EXPECT_TRUE(prepared);
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  const Message& told = fakes_.messages.shown[0];
  EXPECT_EQ(told.buttons, MessageButtons::kOk);
  EXPECT_EQ(told.icon, MessageIcon::kWarning);
  for (const QString& part :
       {QStringLiteral("数据文件夹“%1”是只读的").arg(QString::fromStdString(folder)),
        QStringLiteral("可以读取"), QStringLiteral("无法保存"), QStringLiteral("不需要恢复备份")}) {
    EXPECT_TRUE(told.text.contains(part)) << told.text.toStdString();
  }
  EXPECT_EQ(Bytes(table_), bytes);
}

}  // namespace
}  // namespace tallyra
