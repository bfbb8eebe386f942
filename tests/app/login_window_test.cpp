#include "app/login_window.h"

#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "tests/support/test_form.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {
namespace {

const QString kEmpty = QStringLiteral("用户名或登录密码不能为空，请重新输入。");
const QString kWrong = QStringLiteral("输入错误，请重新输入！");
const QString kThird = QStringLiteral("失败已超3次，程序将被关闭！");

class LoginWindowTest : public UiFixture {
 protected:
  LoginWindowTest() {
    AddOperator("Admin", "secret", "超级管理员");
    AddOperator("张三", "密码1", "管理员");
    window_ = new LoginWindow(*context_, [this] { ++loggedIn_; });
    ShowActive(window_);
  }
  ~LoginWindowTest() override { delete window_.data(); }

  QLineEdit* Edit(const char* name) {
    return window_->findChild<QLineEdit*>(QString::fromUtf8(name));
  }
  QLineEdit* NameEdit() { return Edit("登录名编辑框"); }
  QLineEdit* PasswordEdit() { return Edit("登录密码编辑框"); }
  void Attempt(const QString& name, const QString& password) {
    NameEdit()->setText(name);
    PasswordEdit()->setText(password);
    window_->findChild<QPushButton*>(QStringLiteral("首页登陆按钮"))->click();
  }

  QPointer<LoginWindow> window_;
  int loggedIn_ = 0;
};

TEST_F(LoginWindowTest, RightCredentialsOpenTheMainWindowWithTheOperatorCurrent) {
  const struct {
    QString name;
    QString password;
  } cases[] = {{"Admin", "secret"}, {QStringLiteral("张三"), QStringLiteral("密码1")}};
  for (const auto& c : cases) {
    state_.LoginFailures = 0;
    Attempt(c.name, c.password);
    EXPECT_EQ(loggedIn_, 1) << c.name.toStdString();
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_EQ(store_->ReadText("帐户名"), c.name.toStdString());
    loggedIn_ = 0;
    store_->CloseAll();
  }
}

TEST_F(LoginWindowTest, WrongCredentialsAllGiveTheSameMessageAndCount) {
  const struct {
    QString name;
    QString password;
  } cases[] = {
      {"Admin", "wrong"},    // a wrong password
      {"Nobody", "secret"},  // an unknown user
      {"admin", "secret"},   // names differ in letter case
      {"Admin", "Secret"},   // so do passwords
  };
  for (const auto& c : cases) {
    state_.LoginFailures = 0;
    fakes_.messages.shown.clear();
    Attempt(c.name, c.password);
    EXPECT_EQ(loggedIn_, 0);
    EXPECT_EQ(fakes_.messages.Texts(), std::vector<QString>{kWrong}) << c.name.toStdString();
    EXPECT_EQ(fakes_.messages.shown[0].title, QStringLiteral("错误信息！"));
    EXPECT_EQ(fakes_.messages.shown[0].icon, MessageIcon::kError);
    EXPECT_EQ(state_.LoginFailures, 1);
    EXPECT_EQ(NameEdit()->text(), c.name);  // the boxes keep what was typed
  }
}

TEST_F(LoginWindowTest, EmptyFieldsAreRefusedAndFocusTheEmptyBox) {
  const struct {
    QString name;
    QString password;
    const char* focus;
  } cases[] = {
      {"", "", "登录名编辑框"},
      {"", "secret", "登录名编辑框"},
      {"Admin", "", "登录密码编辑框"},
  };
  for (const auto& c : cases) {
    state_.LoginFailures = 0;
    fakes_.messages.shown.clear();
    Attempt(c.name, c.password);
    EXPECT_EQ(fakes_.messages.Texts(), std::vector<QString>{kEmpty});
    EXPECT_EQ(QApplication::focusWidget(), Edit(c.focus)) << c.focus;
    EXPECT_EQ(state_.LoginFailures, 1);
  }
}

TEST_F(LoginWindowTest, TheThirdFailureEndsTheProgramByEitherPath) {
  const struct {
    const char* name;
    QString thirdName;
    std::vector<QString> thirdMessages;
  } cases[] = {
      {"wrong credentials", "Admin", {kThird}},
      {"empty fields", "", {kEmpty, kThird}},
  };
  for (const auto& c : cases) {
    state_.LoginFailures = 0;
    fakes_.process.ended = 0;
    auto* form = new TestForm(state_, nullptr);
    Attempt("Admin", "x");
    Attempt("Admin", "y");
    fakes_.messages.shown.clear();
    Attempt(c.thirdName, "z");
    EXPECT_EQ(fakes_.messages.Texts(), c.thirdMessages) << c.name;
    EXPECT_EQ(fakes_.process.ended, 1) << c.name;
    EXPECT_EQ(state_.CurrentForm, nullptr) << "the registered form is closed";
    EXPECT_EQ(store_->RecordCount(), 0) << "every table is closed";
    (void)form;
  }
}

TEST_F(LoginWindowTest, EnterInTheNameBox) {
  NameEdit()->setFocus();
  NameEdit()->setText("Admin");
  QTest::keyClick(NameEdit(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), PasswordEdit());
  EXPECT_EQ(state_.LoginFailures, 0);
  EXPECT_TRUE(fakes_.messages.shown.empty());

  PasswordEdit()->setText("secret");
  NameEdit()->setFocus();
  QTest::keyClick(NameEdit(), Qt::Key_Enter);
  EXPECT_EQ(loggedIn_, 1);
}

TEST_F(LoginWindowTest, EnterInThePasswordBoxTriesTheLogin) {
  NameEdit()->setText("Admin");
  PasswordEdit()->setText("bad");
  PasswordEdit()->setFocus();
  QTest::keyClick(PasswordEdit(), Qt::Key_Return);
  EXPECT_EQ(fakes_.messages.Texts(), std::vector<QString>{kWrong});
}

TEST_F(LoginWindowTest, EnterOnTheLoginButtonDoesNothing) {
  NameEdit()->setText("Admin");
  PasswordEdit()->setText("secret");
  auto* button = window_->findChild<QPushButton*>(QStringLiteral("首页登陆按钮"));
  button->setFocus();
  for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    QTest::keyClick(button, key);
    EXPECT_EQ(loggedIn_, 0);
    EXPECT_EQ(QApplication::focusWidget(), button) << "the focus stays";
  }
  EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(LoginWindowTest, TheBirdChirpsAndFliesAway) {
  auto* bird = window_->findChild<QPushButton*>(QStringLiteral("麻雀"));
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(bird, &enter);
  EXPECT_EQ(fakes_.sound.chirps, 1);
  QTest::mouseDClick(bird, Qt::LeftButton);
  EXPECT_FALSE(bird->isVisible());
  auto* balloon = window_->findChild<QWidget*>(QStringLiteral("气球提示框1"));
  ASSERT_NE(balloon, nullptr);
  EXPECT_TRUE(balloon->isVisible());
}

TEST_F(LoginWindowTest, EscClosesTheWindow) {
  QTest::keyClick(NameEdit(), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window_.isNull());
}

TEST_F(LoginWindowTest, GeometryOfTheControls) {
  EXPECT_EQ(window_->size(), QSize(457, 320));
  EXPECT_EQ(NameEdit()->geometry(), QRect(332, 246, 72, 24));
  EXPECT_EQ(PasswordEdit()->geometry(), QRect(332, 278, 72, 24));
  EXPECT_EQ(PasswordEdit()->echoMode(), QLineEdit::Password);
  EXPECT_EQ(window_->findChild<QPushButton*>(QStringLiteral("首页登陆按钮"))->geometry(),
            QRect(412, 246, 24, 56));
}

// The background's pixels are read from the stored picture without a decoder: they must
// be the ones Qt's own decoder reads, wherever no control covers them.
TEST_F(LoginWindowTest, TheBackgroundShowsThePicturesOwnPixels) {
  const QImage picture(QStringLiteral(":/pictures/login_background.ppm"));
  ASSERT_EQ(picture.size(), QSize(457, 320));
  const QImage shown = window_->grab().toImage();
  for (const QPoint at : {QPoint(0, 0), QPoint(456, 0), QPoint(228, 160), QPoint(100, 300),
                          QPoint(456, 200), QPoint(0, 319)}) {
    EXPECT_EQ(shown.pixel(at), picture.pixel(at)) << at.x() << "," << at.y();
  }
}

}  // namespace
}  // namespace tallyra
