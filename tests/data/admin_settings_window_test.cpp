#include "data/windows/admin_settings_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include "app/login_window.h"
#include "app/main_window.h"
#include "app/roll_up_menu.h"
#include "data/catalogue.h"
#include "tests/support/layout_check.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {
namespace {

const QString kNameRule = QStringLiteral("用户名长度不要超过7个字母或3个汉字！");
const QString kLimitOnOpen =
    QStringLiteral("您添加的管理员数目已经达到最大限度10个人了，不能继续在添加管理员了！");
const QString kDeleteQuestion = QStringLiteral(
    "你选择了要删除的管理员，此次操作将彻底删除选中的管理员帐号，你真的确定这么做吗？");
const QString kWrongOld = QStringLiteral("原始密码错误，不能修改登录密码！");
const QString kChanged = QStringLiteral("密码修改成功，下次登录请使用新密码。");

class AdminSettingsWindowTest : public UiFixture {
 protected:
  AdminSettingsWindowTest() { AddOperator("Boss", "boss1", "超级管理员"); }
  ~AdminSettingsWindowTest() override { delete window_.data(); }

  void AddAdministrators(int count) {
    for (int k = 1; k <= count; ++k) AddOperator("a" + std::to_string(k), "pw", "管理员");
  }
  void Open(const QString& account = QStringLiteral("Boss"),
            const QString& level = QStringLiteral("超级管理员")) {
    state_.OperatorLevel = level;
    window_ = new AdminSettingsWindow(*context_, nullptr, account, HashLimits::Minimum());
    window_->show();
  }
  QLineEdit* Edit(const char* name) {
    return window_->findChild<QLineEdit*>(QString::fromUtf8(name));
  }
  QLineEdit* NameEdit() { return Edit("用户名输入编辑框"); }
  QLineEdit* PasswordEdit() { return Edit("密码输入编辑框"); }
  QLineEdit* OldEdit() { return Edit("原始密码输入编辑框"); }
  QLineEdit* NewEdit() { return Edit("新密码输入编辑框"); }
  std::vector<bool> Enabled() {
    return {NameEdit()->isEnabled(), PasswordEdit()->isEnabled(), OldEdit()->isEnabled(),
            NewEdit()->isEnabled()};
  }
  // Types character by character, as a person does (QTest::keyClicks cannot type Chinese).
  static void Type(QWidget* box, const QString& text) {
    for (const QChar ch : text) {
      QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  }
  QCheckBox* Box(const QString& name) {
    for (const auto& box : state_.AdminCheckBoxes) {
      if (box && box->text() == name) return box;
    }
    return nullptr;
  }
  // The visible boxes as "name@left,top", by element.
  std::vector<std::string> Boxes() {
    std::vector<std::string> boxes;
    for (const auto& box : state_.AdminCheckBoxes) {
      if (box && !box->isHidden()) {
        boxes.push_back(box->text().toStdString() + "@" + std::to_string(box->x()) + "," +
                        std::to_string(box->y()));
      }
    }
    return boxes;
  }
  void Confirm() {
    window_->findChild<QPushButton*>(QStringLiteral("管理员设置确定按钮"))->click();
  }
  void Reset() { window_->findChild<QPushButton*>(QStringLiteral("管理员设置重置按钮"))->click(); }
  // Account names in record order, read through the same store the window uses.
  std::vector<std::string> Names() {
    EXPECT_TRUE(store_->MakeCurrent(kOperatorTable, kOperatorTablePassword));
    std::vector<std::string> names;
    store_->First();
    for (int k = store_->RecordCount(); k > 0; --k, store_->Skip(1)) {
      names.push_back(store_->ReadText("帐户名"));
    }
    return names;
  }
  std::string StoredPassword(const std::string& name) {
    EXPECT_TRUE(store_->MakeCurrent(kOperatorTable, kOperatorTablePassword));
    store_->First();
    EXPECT_TRUE(store_->Search([&](RecordStore& s) { return s.ReadText("帐户名") == name; }));
    return store_->ReadText("帐户密码");
  }

  QPointer<AdminSettingsWindow> window_;
};

TEST_F(AdminSettingsWindowTest, CheckBoxesLieByRecordAndNeverOfferTheSuperAdministrator) {
  AddAdministrators(7);
  Open();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"a1@11,30", "a2@77,30", "a3@143,30", "a4@209,30",
                                               "a5@275,30", "a6@11,60", "a7@77,60"}));
  EXPECT_EQ(state_.AdminCheckBoxes[0]->text(), "a1") << "record 2 is element 1";
  EXPECT_EQ(Box("Boss"), nullptr);
  EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(AdminSettingsWindowTest, ASevenByteNameShowsWholeInItsBoxAtItsPlace) {
  TALLYRA_REQUIRE_FONTS();
  for (const char* name : {"WWWWWWW", "MMMMMMW", "中国人W", "WWWWWW1", "WWWWWW2", "WWWWWW3"}) {
    AddOperator(name, "pw", "管理员");
  }
  Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
  EXPECT_EQ(Boxes(),
            (std::vector<std::string>{"WWWWWWW@11,30", "MMMMMMW@77,30", "中国人W@143,30",
                                      "WWWWWW1@209,30", "WWWWWW2@275,30", "WWWWWW3@11,60"}));
  EXPECT_EQ(CutControls(window_), std::vector<std::string>());
}

TEST_F(AdminSettingsWindowTest, TheNameTakesCharactersUntilItHoldsSevenBytes) {
  const struct {
    QString typed;
    QString kept;
    int refusals;
  } cases[] = {
      {QStringLiteral("张三丰A"), QStringLiteral("张三丰A"), 0},  // 6 bytes, then one more
      {QStringLiteral("张三丰李"), QStringLiteral("张三丰李"), 0},
      {QStringLiteral("张三丰AB"), QStringLiteral("张三丰A"), 1},
      {QStringLiteral("abcdefgh"), QStringLiteral("abcdefg"), 1},
      {QStringLiteral("abcdefg中文"), QStringLiteral("abcdefg"), 2},
  };
  Open();
  for (const auto& c : cases) {
    NameEdit()->clear();
    fakes_.messages.shown.clear();
    Type(NameEdit(), c.typed);
    EXPECT_EQ(NameEdit()->text(), c.kept) << c.typed.toStdString();
    EXPECT_EQ(fakes_.messages.Texts(), std::vector<QString>(c.refusals, kNameRule));
  }
  for (const Message& message : fakes_.messages.shown) EXPECT_EQ(message.title, "信息：");

  // An input method's commit is a typed character too.
  fakes_.messages.shown.clear();
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("中"));
  QCoreApplication::sendEvent(NameEdit(), &commit);
  EXPECT_EQ(NameEdit()->text(), QStringLiteral("abcdefg"));
  EXPECT_EQ(fakes_.messages.Texts(), std::vector<QString>{kNameRule});
}

TEST_F(AdminSettingsWindowTest, TheTwoModesExcludeEachOtherAndTickingLocksAllUntilReset) {
  AddAdministrators(2);
  Open();
  Type(NameEdit(), QStringLiteral("x"));
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, false, false}));
  Reset();
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, true}));
  EXPECT_TRUE(NameEdit()->text().isEmpty());
  Type(OldEdit(), QStringLiteral("y"));
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, true}));
  Reset();
  EXPECT_TRUE(OldEdit()->text().isEmpty());
  Box("a2")->click();
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(state_.CheckedAdminCount, 1);
  EXPECT_EQ(state_.ClickedAdminCheckBox, Box("a2"));
  Reset();
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, true}));
  EXPECT_FALSE(Box("a2")->isChecked());
  EXPECT_EQ(state_.CheckedAdminCount, 0);
}

TEST_F(AdminSettingsWindowTest, AddingChecksBothBoxesAndTheNameThenStoresAHash) {
  AddAdministrators(1);
  Open();
  Type(NameEdit(), QStringLiteral("新人"));
  Confirm();
  EXPECT_EQ(
      fakes_.messages.Texts(),
      (std::vector<QString>{QStringLiteral("添加新管理员必须输入用户名和密码，输入框不能留空。")}));
  for (const QString& taken : {QStringLiteral("a1"), QStringLiteral("Boss")}) {
    fakes_.messages.shown.clear();
    NameEdit()->setText(taken);
    PasswordEdit()->setText("pw");
    Confirm();
    EXPECT_EQ(fakes_.messages.Texts(), (std::vector<QString>{QStringLiteral(
                                           "你新添的管理员帐号已经存在，请重新输入管理员帐号。")}));
    EXPECT_TRUE(NameEdit()->text().isEmpty());
  }
  fakes_.messages.shown.clear();
  Type(NameEdit(), QStringLiteral("新人"));
  Confirm();
  EXPECT_EQ(fakes_.messages.Texts(), (std::vector<QString>{QStringLiteral("添加管理员成功。")}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Boss", "a1", "新人"}));
  const std::string stored = StoredPassword("新人");
  EXPECT_NE(stored, "pw");
  EXPECT_TRUE(VerifyPassword(stored, "pw"));
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"a1@11,30", "新人@77,30"}));
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, true}));
  EXPECT_TRUE(NameEdit()->text().isEmpty());
  EXPECT_TRUE(PasswordEdit()->text().isEmpty());
}

TEST_F(AdminSettingsWindowTest, ElevenRecordsDisableTheAddBoxesAndNoTwelfthIsAdded) {
  AddAdministrators(9);
  Open();
  EXPECT_TRUE(fakes_.messages.shown.empty());
  Type(NameEdit(), QStringLiteral("a10"));
  PasswordEdit()->setText("pw");
  Confirm();
  ASSERT_EQ(Names().size(), 11u) << "the tenth administrator is still welcome";
  fakes_.messages.shown.clear();
  Type(NameEdit(), QStringLiteral("a11"));
  PasswordEdit()->setText("pw");
  Confirm();
  EXPECT_EQ(fakes_.messages.Texts(),
            (std::vector<QString>{QStringLiteral(
                "你添加的管理员已经超过了10个,真的需要那么多吗?请删除不需要的管理员账号!")}));
  EXPECT_EQ(Names().size(), 11u);
  EXPECT_TRUE(NameEdit()->text().isEmpty());
  delete window_.data();

  fakes_.messages.shown.clear();
  Open();
  EXPECT_EQ(fakes_.messages.Texts(), (std::vector<QString>{kLimitOnOpen}));
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, true}));
  Type(OldEdit(), QStringLiteral("x"));
  Reset();
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, true})) << "reset keeps them off";
  EXPECT_EQ(Boxes().size(), 10u);
}

TEST_F(AdminSettingsWindowTest, TickTwoAndSayYesDeletesBothAndRebuildsTheList) {
  AddAdministrators(4);
  Open();
  Box("a1")->click();
  Box("a3")->click();
  fakes_.messages.answers = {MessageAnswer::kYes};
  Confirm();
  EXPECT_EQ(fakes_.messages.Texts(), (std::vector<QString>{kDeleteQuestion}));
  EXPECT_EQ(fakes_.messages.shown[0].buttons, MessageButtons::kYesNo);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Boss", "a2", "a4"}));
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"a2@11,30", "a4@77,30"}));
  EXPECT_EQ(state_.CheckedAdminCount, 0);
}

TEST_F(AdminSettingsWindowTest, SayingNoKeepsThemAndTheirTicks) {
  AddAdministrators(3);
  Open();
  Box("a2")->click();
  fakes_.messages.answers = {MessageAnswer::kNo};
  Confirm();
  EXPECT_EQ(fakes_.messages.Texts(), (std::vector<QString>{kDeleteQuestion}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Boss", "a1", "a2", "a3"}));
  EXPECT_TRUE(Box("a2")->isChecked());
  EXPECT_EQ(state_.CheckedAdminCount, 1);
}

// Ticks of a window closed without confirming, and marks anyone else left in the file,
// are never purged by a later confirmation.
TEST_F(AdminSettingsWindowTest, OnlyTheAdministratorsTickedInFrontOfTheOperatorAreDeleted) {
  AddAdministrators(4);
  Open();
  Box("a1")->click();
  Box("a2")->click();
  window_->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(window_.isNull());
  EXPECT_EQ(state_.CheckedAdminCount, 0);

  ASSERT_TRUE(store_->MakeCurrent(kOperatorTable, kOperatorTablePassword));
  store_->First();
  store_->Skip(3);
  ASSERT_TRUE(store_->MarkDeleted());  // a3, marked by an interrupted deletion elsewhere

  Open();
  EXPECT_FALSE(Box("a1")->isChecked());
  Confirm();
  EXPECT_TRUE(fakes_.messages.shown.empty()) << "nothing ticked, nothing asked";
  EXPECT_EQ(Names(), (std::vector<std::string>{"Boss", "a1", "a2", "a3", "a4"}));
  Box("a4")->click();
  fakes_.messages.answers = {MessageAnswer::kYes};
  Confirm();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Boss", "a1", "a2", "a3"}));
}

TEST_F(AdminSettingsWindowTest, AnAdministratorDeletedElsewhereCannotBeTicked) {
  AddAdministrators(2);
  Open();
  ASSERT_TRUE(store_->MakeCurrent(kOperatorTable, kOperatorTablePassword));
  ASSERT_TRUE(store_->DeleteAt(1));  // another copy deletes a1
  Box("a1")->click();
  EXPECT_FALSE(Box("a1")->isChecked());
  EXPECT_FALSE(Box("a1")->isEnabled());
  EXPECT_EQ(state_.CheckedAdminCount, 0);
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  EXPECT_TRUE(fakes_.messages.shown[0].text.contains("a1"));
}

TEST_F(AdminSettingsWindowTest, PasswordChangeNeedsBothBoxesAndTheRightOldPassword) {
  Open();
  const std::string before = StoredPassword("Boss");
  Type(OldEdit(), QStringLiteral("boss1"));
  Confirm();
  Type(NewEdit(), QStringLiteral("new1"));
  OldEdit()->setText("wrong");
  Confirm();
  EXPECT_EQ(fakes_.messages.Texts(),
            (std::vector<QString>{
                QStringLiteral("修改密码，须输入原始密码及新密码，输入框不能为空"), kWrongOld}));
  EXPECT_EQ(fakes_.messages.shown[1].title, QStringLiteral("警告！！"));
  EXPECT_EQ(fakes_.messages.shown[1].icon, MessageIcon::kWarning);
  EXPECT_EQ(StoredPassword("Boss"), before);
  EXPECT_TRUE(window_->isVisible());
}

// The pointer would stay on the super administrator's record: his password must not
// change when the operator's own record is gone.
TEST_F(AdminSettingsWindowTest, AnOperatorWhoseRecordIsGoneCannotChangeAnyPassword) {
  AddAdministrators(1);
  Open(QStringLiteral("a1"), QStringLiteral("管理员"));
  ASSERT_TRUE(store_->MakeCurrent(kOperatorTable, kOperatorTablePassword));
  ASSERT_TRUE(store_->DeleteAt(1));
  const std::string boss = StoredPassword("Boss");
  Type(OldEdit(), QStringLiteral("boss1"));
  Type(NewEdit(), QStringLiteral("mine"));
  Confirm();
  EXPECT_EQ(fakes_.messages.Texts(),
            (std::vector<QString>{QStringLiteral("您的帐户已不存在，不能修改登录密码！")}));
  EXPECT_EQ(StoredPassword("Boss"), boss);
}

TEST_F(AdminSettingsWindowTest, ARightChangeLetsTheOperatorLogInWithTheNewPassword) {
  AddAdministrators(2);
  Open(QStringLiteral("a2"), QStringLiteral("管理员"));
  Type(OldEdit(), QStringLiteral("pw"));
  Type(NewEdit(), QStringLiteral("新密码9"));
  Confirm();
  EXPECT_EQ(fakes_.messages.Texts(), (std::vector<QString>{kChanged}));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window_.isNull()) << "the window closes after a change";
  EXPECT_FALSE(VerifyPassword(StoredPassword("a2"), "pw"));
  EXPECT_NE(StoredPassword("a2"), "新密码9") << "stored as a hash";
  EXPECT_TRUE(VerifyPassword(StoredPassword("a1"), "pw")) << "no one else changed";

  store_->CloseAll();
  fakes_.messages.shown.clear();
  int loggedIn = 0;
  QPointer<LoginWindow> login = new LoginWindow(*context_, [&loggedIn] { ++loggedIn; });
  const auto attempt = [login](const QString& password) {
    login->findChild<QLineEdit*>(QStringLiteral("登录名编辑框"))->setText("a2");
    login->findChild<QLineEdit*>(QStringLiteral("登录密码编辑框"))->setText(password);
    login->findChild<QPushButton*>(QStringLiteral("首页登陆按钮"))->click();
  };
  attempt("pw");
  EXPECT_EQ(loggedIn, 0);
  attempt(QStringLiteral("新密码9"));
  EXPECT_EQ(loggedIn, 1);
  EXPECT_EQ(store_->ReadText("帐户名"), "a2");
  delete login.data();
}

TEST_F(AdminSettingsWindowTest, AnOrdinaryAdministratorGetsTheReducedWindowCentred) {
  AddAdministrators(3);
  Open(QStringLiteral("a1"), QStringLiteral("管理员"));
  EXPECT_TRUE(window_->IsReduced());
  EXPECT_EQ(window_->size(), QSize(220, 168));
  const QRect screen = window_->screen()->geometry();
  EXPECT_EQ(window_->pos(), QPoint(screen.left() + (screen.width() - 220) / 2,
                                   screen.top() + (screen.height() - 168) / 2));
  EXPECT_TRUE(window_->findChild<QGroupBox*>(QStringLiteral("分组框2"))->isHidden());
  EXPECT_TRUE(window_->findChild<QGroupBox*>(QStringLiteral("分组框3"))->isHidden());
  const auto* change = window_->findChild<QGroupBox*>(QStringLiteral("分组框1"));
  EXPECT_EQ(change->geometry(), QRect(6, 8, 202, 92));
  const auto* confirm = window_->findChild<QPushButton*>(QStringLiteral("管理员设置确定按钮"));
  EXPECT_EQ(confirm->pos(), QPoint(70, 110));
  EXPECT_TRUE(confirm->isVisible());
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(AdminSettingsWindowTest, EscClosesTheWindowAndItsRegistration) {
  Open();
  EXPECT_EQ(state_.CurrentForm, window_.data());
  QTest::keyClick(NameEdit(), Qt::Key_Escape);  // from a box, where the focus is
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window_.isNull());
  EXPECT_TRUE(state_.CurrentForm.isNull());
}

// The main window's 用户管理 / 修改密码 entries, with the program's own windows.
class AdminEntryTest : public UiFixture {
 protected:
  ~AdminEntryTest() override { delete main_.data(); }
  void Login(const std::string& name, const std::string& level) {
    AddOperator("Boss", "boss1", "超级管理员");
    AddOperator("a1", "pw", "管理员");
    ASSERT_TRUE(store_->Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword));
    store_->First();
    ASSERT_TRUE(store_->Search([&](RecordStore& s) { return s.ReadText("帐户名") == name; }));
    ASSERT_EQ(store_->ReadText("管理权限"), level);
    main_ = new MainWindow(*context_, ProgramWindows());
    main_->show();
  }
  AdminSettingsWindow* Admin() { return main_->findChild<AdminSettingsWindow*>(); }

  QPointer<MainWindow> main_;
};

TEST_F(AdminEntryTest, ToolbarAndMenuOpenTheWindowForTheLoggedInOperator) {
  Login("Boss", "超级管理员");
  main_->OnToolbarClicked(1);
  ASSERT_NE(Admin(), nullptr);
  EXPECT_FALSE(Admin()->IsReduced());
  EXPECT_EQ(state_.AdminAccountName, "Boss");
  EXPECT_EQ(state_.CurrentForm, Admin());
  EXPECT_EQ(Admin()->windowTitle(), QStringLiteral("管理员设置"));
  EXPECT_EQ(Admin()->pos(), main_->mapToGlobal(QPoint(140, 62))) << "beside the menu";
  main_->OnMenuItemClicked(1, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(main_->findChildren<AdminSettingsWindow*>().size(), 1) << "the old one closed";
  EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(AdminEntryTest, AnAdministratorsChangePasswordEntryOpensTheReducedWindow) {
  Login("a1", "管理员");
  auto* menu = main_->findChild<RollUpMenu*>(QStringLiteral("卷帘式菜单1"));
  EXPECT_EQ(menu->Item(1, 0)->text(), QStringLiteral("修改密码"));
  main_->OnMenuItemClicked(1, 0);
  ASSERT_NE(Admin(), nullptr);
  EXPECT_TRUE(Admin()->IsReduced());
  EXPECT_EQ(state_.AdminAccountName, "a1");
  const QRect screen = Admin()->screen()->geometry();
  EXPECT_EQ(Admin()->pos(), QPoint(screen.left() + (screen.width() - 220) / 2,
                                   screen.top() + (screen.height() - 168) / 2))
      << "not moved beside the menu";
  EXPECT_TRUE(fakes_.messages.shown.empty()) << "no permission check";
}

}  // namespace
}  // namespace tallyra
