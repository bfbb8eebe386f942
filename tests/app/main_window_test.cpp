#include "app/main_window.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "app/about_window.h"
#include "app/roll_up_menu.h"
#include "data/catalogue.h"
#include "forms/windows/cheque_window.h"
#include "tests/support/test_form.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {
namespace {

const QString kNoPermission = QStringLiteral("您无权操作此模块，请使用超级管理员用户登录！");

class MainWindowTest : public UiFixture {
 protected:
  // Logs in as the operator of the given level and opens the main window with the cheque
  // and a test form standing in for the print positions; both count the windows made.
  void Open(const std::string& level) {
    AddOperator("op1", "pw", level);
    ASSERT_TRUE(store_->Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword));
    WindowFactories windows;
    windows[Destination::kCheque] = [this](AppContext& context, QWidget* owner) -> QWidget* {
      ++formsMade_;
      return CreateForm<ChequeWindow>(context, owner);
    };
    windows[Destination::kPrintPositions] = [this](AppContext&, QWidget* owner) -> QWidget* {
      ++formsMade_;
      return new TestForm(state_, owner);
    };
    window_ = new MainWindow(*context_, windows);
    window_->show();
  }
  ~MainWindowTest() override { delete window_.data(); }

  QString Pane(const char* name) { return LabelText(window_, name); }
  static QString LabelText(const QWidget* window, const char* name) {
    const auto* label = window->findChild<QLabel*>(QString::fromUtf8(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QString::fromUtf8(name));
  }
  RollUpMenu* Menu() { return window_->findChild<RollUpMenu*>(QStringLiteral("卷帘式菜单1")); }
  QAction* ToolbarAction(int index) {
    return window_->findChild<QAction*>(QStringLiteral("工具条按钮%1").arg(index));
  }
  int Permissions() {
    int count = 0;
    for (const QString& text : fakes_.messages.Texts()) count += text == kNoPermission;
    return count;
  }

  QPointer<MainWindow> window_;
  int formsMade_ = 0;
};

TEST_F(MainWindowTest, SuperAdministratorSeesEverythingAndIsNeverRefused) {
  Open("超级管理员");
  EXPECT_EQ(Pane("状态条1_操作员"), "op1");
  EXPECT_EQ(Pane("状态条1_级别"), QStringLiteral("超级管理员"));
  EXPECT_EQ(state_.OperatorLevel, QStringLiteral("超级管理员"));
  EXPECT_EQ(state_.OperatorName, "op1");
  EXPECT_EQ(Menu()->Item(1, 0)->text(), QStringLiteral("用户管理"));
  for (int index : {3, 4, 5}) window_->OnToolbarClicked(index);
  for (auto [group, item] : {std::pair{1, 1}, {2, 0}, {2, 1}}) {
    window_->OnMenuItemClicked(group, item);
  }
  EXPECT_EQ(Permissions(), 0);
  EXPECT_EQ(formsMade_, 2) << "整体调整 opens from the toolbar and from the menu";
}

TEST_F(MainWindowTest, AdministratorIsRefusedEveryReservedEntry) {
  Open("管理员");
  EXPECT_EQ(Menu()->Item(1, 0)->text(), QStringLiteral("修改密码"));
  auto* form = new TestForm(state_, window_);
  for (int index : {3, 4, 5}) {
    window_->OnToolbarClicked(index);
    EXPECT_EQ(Permissions(), 1) << "toolbar " << index;
    fakes_.messages.shown.clear();
  }
  for (auto [group, item] : {std::pair{1, 1}, {2, 0}, {2, 1}}) {
    window_->OnMenuItemClicked(group, item);
    EXPECT_EQ(Permissions(), 1) << "menu " << group << "," << item;
    EXPECT_EQ(fakes_.messages.shown[0].title, QStringLiteral("错误信息！"));
    fakes_.messages.shown.clear();
  }
  EXPECT_EQ(formsMade_, 0);
  EXPECT_EQ(state_.CurrentForm, form) << "a refused entry leaves the registered form open";
  window_->OnMenuItemClicked(0, 1);
  EXPECT_EQ(formsMade_, 1) << "every form opens for an administrator";
}

TEST_F(MainWindowTest, OpeningAFormReplacesTheRegisteredOneAndWritesItsLabels) {
  Open("超级管理员");
  window_->OnMenuItemClicked(0, 1);
  QPointer<QWidget> first = state_.CurrentForm;
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(LabelText(first, "登录签"), QStringLiteral("op1超级管理员"));
  EXPECT_EQ(LabelText(first, "警告签"),
            QStringLiteral(" 您正在使用支票管理，请注意本行的提示信息！"));
  EXPECT_EQ(first->parentWidget(), window_.data());

  window_->OnMenuItemClicked(0, 1);
  EXPECT_TRUE(first.isNull()) << "the same form is closed and opened afresh";
  EXPECT_NE(state_.CurrentForm, nullptr);
}

// Every bank form and voucher of the shipped program opens with the operator line and its
// own greeting; New then shows the form's New greeting, which differs on the cash slip.
TEST_F(MainWindowTest, EveryFormOpensWithTheOperatorAndItsGreeting) {
  AddOperator("op1", "pw", "管理员");
  ASSERT_TRUE(store_->Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword));
  window_ = new MainWindow(*context_, ProgramWindows());
  window_->show();
  const struct {
    int item;  // in the first group of the roll-up menu
    const char* greeting;
    const char* afterNew;
  } cases[] = {
      {0, " 您正在使用现金交款单管理，请注意本行的提示信息！",
       " 您正在使用打印现金交款单模块，请注意本行的提示信息！"},
      {1, " 您正在使用支票管理，请注意本行的提示信息！", nullptr},
      {2, " 您正在使用进账单管理，请注意本行的提示信息！", nullptr},
      {3, " 您正在使用电汇凭证管理，请注意本行的提示信息！", nullptr},
      {4, " 您正在使用收款凭证管理，请注意本行的提示信息！", nullptr},
      {5, " 您正在使用付款凭证管理，请注意本行的提示信息！", nullptr},
      {6, " 您正在使用转帐凭证管理，请注意本行的提示信息！", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    window_->OnMenuItemClicked(0, c.item);
    const QPointer<QWidget> form = state_.CurrentForm;
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(LabelText(form, "登录签"), QStringLiteral("op1管理员"));
    EXPECT_EQ(LabelText(form, "警告签"), QString::fromUtf8(c.greeting));
    form->findChild<QPushButton*>(QStringLiteral("按钮6"))->click();
    EXPECT_EQ(LabelText(form, "警告签"), QString::fromUtf8(c.afterNew ? c.afterNew : c.greeting));
    EXPECT_EQ(LabelText(form, "登录签"), QStringLiteral("op1管理员")) << "New keeps the operator";
  }
  CloseCurrentForm(state_);
}

TEST_F(MainWindowTest, AboutFromTheToolbarClosesTheFormAndFromTheMenuKeepsIt) {
  Open("超级管理员");
  window_->OnMenuItemClicked(0, 1);
  QPointer<QWidget> form = state_.CurrentForm;
  window_->OnMenuItemClicked(3, 1);
  EXPECT_FALSE(form.isNull());
  ASSERT_NE(window_->About(), nullptr);
  EXPECT_TRUE(window_->About()->isVisible());
  window_->OnToolbarClicked(8);
  EXPECT_TRUE(form.isNull());
  EXPECT_NE(window_->About(), nullptr);
}

TEST_F(MainWindowTest, EveryEntryOfTheShippedProgramLeadsWhereItSays) {
  AddOperator("op1", "pw", "超级管理员");
  ASSERT_TRUE(store_->Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword));
  window_ = new MainWindow(*context_, ProgramWindows());
  window_->show();
  fakes_.shell.openable = {state_.ProgramDir + "/help.chm"};
  // Opens an entry and says whether something came of it: a window, the manual, 关于.
  const auto opens = [&](const NavEntry& entry, const std::function<void()>& click) {
    CloseCurrentForm(state_);
    fakes_.shell.opened.clear();
    delete window_->About();
    click();
    switch (entry.destination) {
      case Destination::kHelp:
        return fakes_.shell.opened.size() == 1;
      case Destination::kAbout:
        return window_->About() != nullptr;
      default:
        return state_.CurrentForm != nullptr && state_.CurrentForm->isVisible();
    }
  };
  for (const ToolbarEntry& button : ToolbarEntries()) {
    QAction* action = ToolbarAction(button.index);
    EXPECT_TRUE(action->isEnabled()) << button.entry.caption.toStdString();
    EXPECT_EQ(action->toolTip(), button.entry.tip);
    EXPECT_TRUE(opens(button.entry, [&] { action->trigger(); }))
        << button.entry.caption.toStdString();
  }
  for (std::size_t g = 0; g < MenuGroups().size(); ++g) {
    const auto& items = MenuGroups()[g].items;
    for (std::size_t i = 0; i < items.size(); ++i) {
      QToolButton* item = Menu()->Item(static_cast<int>(g), static_cast<int>(i));
      EXPECT_TRUE(item->isEnabled()) << items[i].caption.toStdString();
      EXPECT_EQ(item->toolTip(), items[i].tip);
      Menu()->RollOut(static_cast<int>(g));
      EXPECT_TRUE(opens(items[i], [&] { item->click(); })) << items[i].caption.toStdString();
    }
  }
  EXPECT_EQ(Permissions(), 0);
  CloseCurrentForm(state_);
}

TEST_F(MainWindowTest, ClockShowsTheStartDateAndTheRunningTime) {
  Open("超级管理员");
  EXPECT_EQ(window_->DateTimeText(), QStringLiteral("2011年11月25日 星期五 9时05分07秒"));
  // Past midnight the date stays the start date; the time runs on.
  fakes_.clock.now = QDateTime(QDate(2011, 11, 26), QTime(0, 0, 1));
  window_->ClockTick();
  EXPECT_EQ(window_->DateTimeText(), QStringLiteral("2011年11月25日 星期五 0时00分01秒"));
  fakes_.clock.now = QDateTime(QDate(2011, 11, 26), QTime(23, 59, 59));
  window_->ClockTick();
  EXPECT_EQ(window_->DateTimeText(), QStringLiteral("2011年11月25日 星期五 23时59分59秒"));
}

TEST_F(MainWindowTest, ClockNamesEveryWeekday) {
  const char* const names[] = {"星期日", "星期一", "星期二", "星期三",
                               "星期四", "星期五", "星期六"};
  AddOperator("op1", "pw", "超级管理员");
  for (int day = 0; day < 7; ++day) {
    state_.StartTime = QDateTime(QDate(2026, 12, 6 + day), QTime(8, 0));  // 6th is a Sunday
    ASSERT_TRUE(store_->Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword));
    MainWindow window(*context_, {});
    EXPECT_TRUE(window.DateTimeText().contains(QString::fromUtf8(names[day]))) << day;
    store_->CloseAll();
  }
}

TEST_F(MainWindowTest, DraggingTheMenuStopsAtTheWindowEdges) {
  Open("超级管理员");
  const QRect frame = window_->frameGeometry();
  const QPoint start = frame.topLeft() + QPoint(50, 200);
  const struct {
    const char* name;
    QPoint mouse;
    QPoint menu;
    bool dragging;
  } cases[] = {
      {"inside", start + QPoint(30, 10), QPoint(1 + 30, 64 + 10), true},
      {"past the left", QPoint(frame.left() - 1, start.y()), QPoint(0, 64), false},
      {"past the top", QPoint(start.x(), frame.top() - 1), QPoint(1, 0), false},
      {"past the right", QPoint(frame.right() + 2, start.y()), QPoint(frame.width() - 20, 64),
       false},
      {"past the bottom", QPoint(start.x(), frame.bottom() + 2), QPoint(1, frame.height() - 50),
       false},
  };
  for (const auto& c : cases) {
    Menu()->move(1, 64);
    window_->BeginDrag(start);
    window_->DragTick(c.mouse);
    EXPECT_EQ(Menu()->pos(), c.menu) << c.name;
    EXPECT_EQ(window_->IsDragging(), c.dragging) << c.name;
    window_->EndDrag();
  }
}

TEST_F(MainWindowTest, HelpFallsBackToTheHtmlManualAndSaysWhenNothingOpens) {
  Open("管理员");
  const QString chm = state_.ProgramDir + "/help.chm";
  const QString html = state_.ProgramDir + "/help/index.html";
  const struct {
    std::vector<QString> openable;
    std::vector<QString> asked;
    std::size_t messages;
  } cases[] = {
      {{chm}, {chm}, 0},
      {{html}, {chm, html}, 0},
      {{}, {chm, html}, 1},
  };
  for (const auto& c : cases) {
    fakes_.shell.openable = c.openable;
    fakes_.shell.opened.clear();
    fakes_.messages.shown.clear();
    window_->OnToolbarClicked(7);
    EXPECT_EQ(fakes_.shell.opened, c.asked);
    EXPECT_EQ(fakes_.messages.shown.size(), c.messages);
  }
}

TEST_F(MainWindowTest, TheExitButtonEndsTheProgram) {
  Open("管理员");
  window_->findChild<QPushButton*>(QStringLiteral("按钮_主界面_退出系统"))->click();
  EXPECT_EQ(fakes_.process.ended, 1);
}

TEST_F(MainWindowTest, EscClosesTheWindowFromAControlOrFromTheWindowItself) {
  AddOperator("op1", "pw", "管理员");
  ASSERT_TRUE(store_->Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword));
  for (const bool toControl : {true, false}) {
    window_ = new MainWindow(*context_, {});
    ShowActive(window_);
    auto* exitButton = window_->findChild<QPushButton*>(QStringLiteral("按钮_主界面_退出系统"));
    QWidget* target = toControl ? exitButton : static_cast<QWidget*>(window_);
    QTest::keyClick(target, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window_.isNull()) << (toControl ? "from the exit button" : "from the window");
    EXPECT_EQ(fakes_.process.ended, 0) << "Esc closes the window, it does not end the program";
  }
}

TEST_F(MainWindowTest, GeometryOfTheWindow) {
  Open("管理员");
  EXPECT_EQ(window_->size(), QSize(796, 600));
  EXPECT_EQ(Menu()->geometry(), QRect(1, 64, 131, 481));
  EXPECT_EQ(window_->findChild<QToolBar*>(QStringLiteral("工具条_主界面_常用功能"))->geometry(),
            QRect(0, 0, 794, 57));
}

}  // namespace
}  // namespace tallyra
