#include "data/windows/selection_settings_window.h"

#include <QApplication>
#include <QGroupBox>
#include <QPointer>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <algorithm>

#include "app/main_window.h"
#include "app/navigation.h"
#include "data/catalogue.h"
#include "data/windows/table_editor_window.h"
#include "tests/support/test_form.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {
namespace {

class SelectionSettingsTest : public UiFixture {
 protected:
  ~SelectionSettingsTest() override {
    if (window_ && window_->Editor()) delete window_->Editor();
    delete window_.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void Open() {
    window_ = new SelectionSettingsWindow(*context_, nullptr);
    window_->show();
  }
  QRadioButton* Radio(int number) {
    return window_->findChild<QRadioButton*>(QStringLiteral("单选框%1").arg(number));
  }
  QString Header(int column) {
    auto* grid = window_->Editor()->findChild<QTableView*>(QStringLiteral("表格1"));
    return grid->model()->headerData(column, Qt::Horizontal).toString();
  }

  QPointer<SelectionSettingsWindow> window_;
};

TEST_F(SelectionSettingsTest, HasNineteenChoicesInItsGroups) {
  Open();
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("选择内容设置"));
  EXPECT_EQ(window_->size(), QSize(550, 297));
  EXPECT_EQ(window_->findChildren<QRadioButton*>().size(), 19);
  auto* outer = window_->findChild<QGroupBox*>(QStringLiteral("分组框1"));
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->title(), QStringLiteral("请选择维护的内容"));
  const auto* debit = window_->findChild<QGroupBox*>(QStringLiteral("分组框8"));
  EXPECT_TRUE(window_->findChild<QGroupBox*>(QStringLiteral("分组框7"))->isAncestorOf(debit));
  EXPECT_TRUE(debit->isAncestorOf(Radio(15)));
}

TEST_F(SelectionSettingsTest, EachChoiceOpensTheEditorOnItsTableWithItsCaption) {
  const struct {
    int radio;
    const char* file;
    const char* title;
    const char* firstField;
  } cases[] = {
      {1, "Bfqc.bsf", "本方全称", "单位全称"},
      {3, "Bfzh.bsf", "本方账号", "账号说明"},
      {8, "Dfdd.bsf", "对方地址", "省"},
      {21, "Kxlyk.bsf", "款项来源", "款项来源"},
      {9, "Sjfkm.bsf", "收款凭证借方科目", "借方科目"},
      {13, "Fzzkm.bsf", "付款凭证总帐科目", "总帐科目"},
      {15, "Zjzzkm.bsf", "转帐凭证借方总帐科目", "总帐科目"},
      {18, "Zdmxkm.bsf", "转帐凭证贷方明细科目", "明细科目"},
  };
  Open();
  for (const auto& c : cases) {
    Radio(c.radio)->click();
    ASSERT_NE(window_->Editor(), nullptr) << c.radio;
    EXPECT_EQ(state_.TableEditorFile, state_.ProgramDir + "\\bsf\\" + c.file);
    EXPECT_EQ(state_.TableEditorProvider, QStringLiteral("数据库提供者1"));
    EXPECT_EQ(window_->Editor()->windowTitle(), QString::fromUtf8(c.title));
    EXPECT_EQ(Header(0), QString::fromUtf8(c.firstField)) << c.radio;
    EXPECT_EQ(store_->CurrentPath(), store_->ResolvePath(std::string("bsf\\") + c.file));
  }
  // One editor at a time: each click closed the one before.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const auto windows = QApplication::topLevelWidgets();
  EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                          [](QWidget* w) { return qobject_cast<TableEditorWindow*>(w); }),
            1);
}

TEST_F(SelectionSettingsTest, TheCaptionIsReadFromTheControlsAtTheClick) {
  Open();
  window_->findChild<QGroupBox*>(QStringLiteral("分组框5"))->setTitle(QStringLiteral("收据"));
  Radio(9)->click();
  EXPECT_EQ(state_.TableEditorTitle, QStringLiteral("收据借方科目"));
}

TEST_F(SelectionSettingsTest, RegistersItselfUnlessAFormIsRegistered) {
  Open();
  EXPECT_EQ(state_.CurrentForm.data(), window_.data());
  delete window_.data();
  EXPECT_TRUE(state_.CurrentForm.isNull());

  QPointer<TestForm> form = new TestForm(state_, nullptr);
  Open();
  EXPECT_TRUE(form.isNull());  // destroyed
  EXPECT_TRUE(state_.CurrentForm.isNull());
}

TEST_F(SelectionSettingsTest, ClosingTheEditorClearsTheRegistrationAndLeavesThisWindowOpen) {
  Open();
  Radio(2)->click();
  window_->Editor()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(state_.CurrentForm.isNull());
  EXPECT_FALSE(window_.isNull());
  EXPECT_TRUE(window_->isVisible());
}

// The main window's two entries, through the real window factories.
class MaintenanceEntryTest : public UiFixture {
 protected:
  void LogIn(const std::string& level) {
    AddOperator("op1", "pw", level);
    ASSERT_TRUE(store_->Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword));
    main_ = std::make_unique<MainWindow>(*context_, ProgramWindows());
    main_->show();
  }
  SelectionSettingsWindow* Opened() {
    return main_->findChild<SelectionSettingsWindow*>(QString(), Qt::FindDirectChildrenOnly);
  }
  std::unique_ptr<MainWindow> main_;
};

TEST_F(MaintenanceEntryTest, TheSuperAdministratorOpensTheSelectionFromBothEntries) {
  LogIn("超级管理员");
  main_->OnToolbarClicked(3);
  ASSERT_NE(Opened(), nullptr);
  delete Opened();
  main_->OnMenuItemClicked(1, 1);
  ASSERT_NE(Opened(), nullptr);
  EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(MaintenanceEntryTest, AnAdministratorIsRefusedAtBothEntries) {
  LogIn("管理员");
  main_->OnToolbarClicked(3);
  main_->OnMenuItemClicked(1, 1);
  EXPECT_EQ(Opened(), nullptr);
  EXPECT_EQ(
      fakes_.messages.Texts(),
      (std::vector<QString>(2, QStringLiteral("您无权操作此模块，请使用超级管理员用户登录！"))));
}

}  // namespace
}  // namespace tallyra
