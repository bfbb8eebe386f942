// Start-up as a whole, each start with a record store of its own as a new process has:
// when the first-run window appears, a first run left unfinished, a damaged operator table.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/first_run_window.h"
#include "data/catalogue.h"
#include "tests/support/fake_services.h"

namespace tallyra {
namespace {

// What the operator does in the first-run window when it appears.
using FirstRunAction = std::function<void(FirstRunWindow&)>;

void PressEsc(FirstRunWindow& window) {
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window,
                  Qt::Key_Escape);
}

void PressQuit(FirstRunWindow& window) {
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    if (button->text() == QStringLiteral("退出")) return button->click();
  }
  ADD_FAILURE() << "no 退出 button";
}

void SetUpAdministrator(FirstRunWindow& window) {
  const auto edit = [&window](const char* name) {
    return window.findChild<QLineEdit*>(QString::fromUtf8(name));
  };
  QTest::keyClicks(edit("超级管理员帐户名编辑框"), "admin");
  QTest::keyClicks(edit("超级管理员密码编辑框"), "secret");
  QTest::keyClicks(edit("超级管理员确认密码编辑框"), "secret");
  window.findChild<QPushButton*>(QStringLiteral("首次使用确定按钮"))->click();
}

class StartupTest : public ::testing::Test {
 protected:
  // One start of the program on the data folder; action answers the first-run window if it
  // appears. Whether it appeared is in firstRunShown_.
  StartOutcome Start(const FirstRunAction& action) {
    firstRunShown_ = false;
    fakes_.messages.shown.clear();
    RecordStore store(Location());
    AppContext context{state_, store, fakes_.services};
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<FirstRunWindow*>(top);
        if (!window || !window->isVisible() || firstRunShown_) continue;
        firstRunShown_ = true;
        watch.stop();
        action(*window);
      }
    });
    watch.start();
    return PrepareStart(context);
  }
  TableLocation Location() const {
    return {dir_.path().toStdString(), dir_.path().toStdString() + "/bsf"};
  }
  QString OperatorTable() const { return dir_.filePath(QStringLiteral("bsf/Zhgl.bsf")); }

  QTemporaryDir dir_;
  FakeServices fakes_;
  ProgramState state_;
  bool firstRunShown_ = false;
};

TEST_F(StartupTest, AFreshFolderOffersTheFirstRunOnceItsAdministratorIsSet) {
  EXPECT_EQ(Start(SetUpAdministrator), StartOutcome::kLogIn);
  EXPECT_TRUE(firstRunShown_);
  EXPECT_EQ(Start(PressQuit), StartOutcome::kLogIn);
  EXPECT_FALSE(firstRunShown_) << "the super administrator is there: straight to the login";
  EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(StartupTest, AFirstRunLeftUnfinishedIsOfferedAgainAtTheNextStart) {
  const struct {
    const char* how;
    std::function<StartOutcome()> leave;
  } cases[] = {
      {"Esc", [this] { return Start(PressEsc); }},
      {"退出", [this] { return Start(PressQuit); }},
      // Killed while the window was open: the tables were made, nobody was written.
      {"the program ended",
       [this] {
         std::string error;
         EXPECT_TRUE(CreateMissingTables(Location(), &error)) << error;
         return StartOutcome::kQuit;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    QFile::remove(OperatorTable());
    EXPECT_EQ(c.leave(), StartOutcome::kQuit);
    ASSERT_TRUE(QFile::exists(OperatorTable()));
    EXPECT_EQ(Start(PressQuit), StartOutcome::kQuit);
    EXPECT_TRUE(firstRunShown_) << "the next start offers the first run again";
    EXPECT_EQ(Start(SetUpAdministrator), StartOutcome::kLogIn);
    EXPECT_TRUE(firstRunShown_);
    EXPECT_EQ(Start(PressQuit), StartOutcome::kLogIn);
    EXPECT_FALSE(firstRunShown_);
  }
}

TEST_F(StartupTest, ADamagedOperatorTableEndsTheProgramWithItsMessage) {
  std::string error;
  ASSERT_TRUE(CreateMissingTables(Location(), &error)) << error;
  QFile file(OperatorTable());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  const QByteArray damaged("not a table file at all");
  file.write(damaged);
  file.close();

  for (int start = 0; start < 2; ++start) {
    EXPECT_EQ(Start(SetUpAdministrator), StartOutcome::kCannotStart);
    EXPECT_FALSE(firstRunShown_) << "a damaged table is not a fresh one";
    ASSERT_FALSE(fakes_.messages.shown.empty());
    const Message& last = fakes_.messages.shown.back();
    EXPECT_TRUE(last.text.startsWith(QStringLiteral("操作员数据文件无法打开，程序无法启动：")))
        << last.text.toStdString();
    EXPECT_TRUE(last.text.contains(QStringLiteral("Zhgl.bsf"))) << "names the file";
    EXPECT_EQ(last.icon, MessageIcon::kError);
  }
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), damaged) << "never overwritten";
}

}  // namespace
}  // namespace tallyra
