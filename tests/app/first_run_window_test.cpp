#include "app/first_run_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "data/catalogue.h"
#include "data/password_hash.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {
namespace {

class FirstRunWindowTest : public UiFixture {
 protected:
  void Fill(const QString& name, const QString& password, const QString& repeat, bool sample) {
    Edit("超级管理员帐户名编辑框")->setText(name);
    Edit("超级管理员密码编辑框")->setText(password);
    Edit("超级管理员确认密码编辑框")->setText(repeat);
    window_.findChild<QCheckBox*>(QStringLiteral("示例数据复选框"))->setChecked(sample);
    window_.findChild<QPushButton*>(QStringLiteral("首次使用确定按钮"))->click();
  }
  QLineEdit* Edit(const char* name) {
    return window_.findChild<QLineEdit*>(QString::fromUtf8(name));
  }
  int Records(const char* file, std::string_view password = {}) {
    RecordStore reader(store_->Location());
    EXPECT_TRUE(reader.Open(std::string("bsf\\") + file, password)) << reader.LastErrorText();
    return reader.RecordCount();
  }

  FirstRunWindow window_{*context_};
};

TEST_F(FirstRunWindowTest, RefusesWhatCannotBeTheSuperAdministrator) {
  const struct {
    QString name;
    QString password;
    QString repeat;
    QString message;
  } cases[] = {
      {"", "pw", "pw", QStringLiteral("帐户名和密码都不能为空。")},
      {"admin", "", "", QStringLiteral("帐户名和密码都不能为空。")},
      {QStringLiteral("张三丰a1"), "pw", "pw",
       QStringLiteral("用户名长度不要超过7个字母或3个汉字！")},
      {"admin", "pw1", "pw2", QStringLiteral("两次输入的密码不一致，请重新输入。")},
      {"adm\U0001F600", "pw", "pw", QStringLiteral("此处只能输入GBK汉字及字符！")},
  };
  for (const auto& c : cases) {
    fakes_.messages.shown.clear();
    Fill(c.name, c.password, c.repeat, false);
    EXPECT_EQ(fakes_.messages.Texts(), std::vector<QString>{c.message}) << c.name.toStdString();
    EXPECT_EQ(window_.result(), QDialog::Rejected);
  }
  EXPECT_EQ(Records("Zhgl.bsf", kOperatorTablePassword), 0);
}

TEST_F(FirstRunWindowTest, WritesTheSuperAdministratorHashedAndTheSampleDataIfAsked) {
  Fill(QStringLiteral("张三丰a"), "secret", "secret", true);  // 7 bytes: the longest name
  EXPECT_TRUE(fakes_.messages.shown.empty());
  EXPECT_EQ(window_.result(), QDialog::Accepted);

  RecordStore reader(store_->Location());
  ASSERT_TRUE(reader.Open("bsf\\Zhgl.bsf", kOperatorTablePassword));
  ASSERT_EQ(reader.RecordCount(), 1);
  EXPECT_EQ(reader.ReadText("帐户名"), "张三丰a");
  EXPECT_EQ(reader.ReadText("管理权限"), "超级管理员");
  EXPECT_NE(reader.ReadText("帐户密码"), "secret") << "never stored as typed";
  EXPECT_TRUE(VerifyPassword(reader.ReadText("帐户密码"), "secret"));
  EXPECT_GT(Records("Bfzh.bsf"), 0);
  EXPECT_GT(Records("Dfqc.bsf"), 0);
}

TEST_F(FirstRunWindowTest, WithoutSampleDataTheListsStayEmpty) {
  Fill("admin", "secret", "secret", false);
  EXPECT_EQ(window_.result(), QDialog::Accepted);
  EXPECT_EQ(Records("Bfzh.bsf"), 0);
}
}  // namespace
}  // namespace tallyra
