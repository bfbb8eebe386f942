// The preview of every form, through the program's print service: it shows the page and
// gives no way past the form's checks and confirmation to a printer or a PDF file.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTimer>

#include "tests/support/end_to_end.h"

namespace tallyra {
namespace {

class PrintPreviewTest : public EndToEndTest {
 protected:
  // Presses 预览 in the form and, in the preview that opens, every action and button it
  // has, 关闭 last. Any other dialog that opens meanwhile is closed and counted.
  void PreviewAndPressEverything(QWidget* form) {
    QPointer<QDialog> preview;
    QTimer strays;
    QObject::connect(&strays, &QTimer::timeout, [&] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(top);
        if (!dialog || !dialog->isVisible()) continue;
        if (!preview && dialog->findChild<QPrintPreviewWidget*>()) {
          preview = dialog;
          titles_.push_back(dialog->windowTitle());
          QTimer::singleShot(0, dialog, [&] { PressEverything(preview); });
        } else if (dialog != preview) {
          others_.push_back(dialog->metaObject()->className());
          dialog->reject();
        }
      }
    });
    strays.start(20);
    form->findChild<QPushButton*>(QStringLiteral("按钮预览"))->click();
  }
  void PressEverything(QPointer<QDialog> preview) {
    for (QAction* action : preview->findChildren<QAction*>()) {
      if (preview && action->isEnabled() && !action->menu()) action->trigger();
    }
    QPushButton* close = nullptr;
    for (QPushButton* button :
         preview ? preview->findChildren<QPushButton*>() : QList<QPushButton*>()) {
      if (button->text() == QStringLiteral("关闭")) {
        close = button;
      } else if (button->isEnabled()) {
        button->click();
      }
    }
    if (!preview) return;
    if (close) {
      close->click();
    } else {
      ADD_FAILURE() << "no 关闭 button";
      preview->reject();
    }
  }

  std::vector<QString> titles_;
  std::vector<std::string> others_;
};

TEST_F(PrintPreviewTest, EveryFormsPreviewShowsThePageAndPrintsNothing) {
  LogIn();
  const char* const forms[] = {"打印现金交款单", "打印支票",     "打印进帐单",  "打印电汇凭证",
                               "打印收款凭证",   "打印付款凭证", "打印转帐凭证"};
  for (int item = 0; item < 7; ++item) {
    SCOPED_TRACE(forms[item]);
    main_->OnMenuItemClicked(0, item);
    QWidget* form = state_.CurrentForm.data();
    ASSERT_NE(form, nullptr);
    titles_.clear();
    PreviewAndPressEverything(form);
    EXPECT_EQ(titles_, std::vector<QString>{QStringLiteral("打印预览")});
    EXPECT_TRUE(others_.empty()) << others_.front() << " opened from the preview";
    others_.clear();
  }
  EXPECT_TRUE(QDir(pdfDir_.path()).entryList(QDir::Files).isEmpty()) << "a PDF was written";
  EXPECT_TRUE(fakes_.messages.shown.empty());
}

}  // namespace
}  // namespace tallyra
