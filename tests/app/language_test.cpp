// Qt's own texts in the windows are Chinese, whatever the machine's locale.
#include <QAbstractItemModel>
#include <QAction>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>
#include <QTableView>
#include <QToolButton>
#include <memory>

#include "forms/windows/cheque_window.h"
#include "tests/support/ui_fixture.h"
#include "vouchers/windows/receipt_voucher_window.h"

namespace tallyra {
namespace {

class LanguageTest : public UiFixture {
 protected:
  LanguageTest() {
    window_ = CreateForm<ChequeWindow>(*context_, nullptr);
    ShowActive(window_);
  }
  ~LanguageTest() override { delete window_.data(); }

  QPointer<ChequeWindow> window_;
};

QStringList ActionTexts(const QMenu& menu) {
  QStringList texts;
  for (const QAction* action : menu.actions()) {
    if (action->isSeparator()) continue;
    // Drop the mnemonic and the shortcut column: "撤消(&U)\tCtrl+Z" reads "撤消(U)".
    texts << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
  }
  return texts;
}

TEST_F(LanguageTest, TheBoxesContextMenusAreChinese) {
  const QStringList expected{QStringLiteral("撤消(U)"), QStringLiteral("重做(R)"),
                             QStringLiteral("剪切(T)"), QStringLiteral("复制(C)"),
                             QStringLiteral("粘贴(P)"), QStringLiteral("删除"),
                             QStringLiteral("全选")};
  auto* payee = window_->findChild<QLineEdit*>(QStringLiteral("收款编辑框3"));
  ASSERT_NE(payee, nullptr);
  EXPECT_EQ(ActionTexts(*std::unique_ptr<QMenu>(payee->createStandardContextMenu())), expected);

  auto* list = window_->findChild<QComboBox*>();
  ASSERT_NE(list, nullptr);
  ASSERT_NE(list->lineEdit(), nullptr);
  EXPECT_EQ(ActionTexts(*std::unique_ptr<QMenu>(list->lineEdit()->createStandardContextMenu())),
            expected);

  const std::unique_ptr<ReceiptVoucherWindow> voucher(
      CreateForm<ReceiptVoucherWindow>(*context_, nullptr));
  auto* summary = voucher->findChild<QPlainTextEdit*>();
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(ActionTexts(*std::unique_ptr<QMenu>(summary->createStandardContextMenu())), expected);
}

TEST_F(LanguageTest, ADateBoxsCalendarNamesMonthsAndWeekdaysInChinese) {
  auto* date = window_->findChild<QDateEdit*>(QStringLiteral("日期框1"));
  ASSERT_NE(date, nullptr);
  date->setDate(QDate(2026, 12, 11));
  QCalendarWidget* calendar = date->calendarWidget();
  ASSERT_NE(calendar, nullptr);
  auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
  ASSERT_NE(month, nullptr);
  EXPECT_EQ(month->text(), QStringLiteral("十二月"));

  auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
  ASSERT_NE(view, nullptr);
  QStringList weekdays;
  for (int column = 0; column < 7; ++column) {
    weekdays << view->model()->data(view->model()->index(0, column)).toString();
  }
  // A Chinese week starts on Sunday.
  EXPECT_EQ(weekdays, (QStringList{QStringLiteral("周日"), QStringLiteral("周一"),
                                   QStringLiteral("周二"), QStringLiteral("周三"),
                                   QStringLiteral("周四"), QStringLiteral("周五"),
                                   QStringLiteral("周六")}));
  // The box itself keeps its own format.
  EXPECT_EQ(date->text(), QStringLiteral("2026-12-11"));
}

}  // namespace
}  // namespace tallyra
