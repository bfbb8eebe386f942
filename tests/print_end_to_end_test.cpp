// The road of a typical print, end to end: log in, open the cheque from the main window,
// fill it in, print it unattended to PDF and read the page back.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "app/login_window.h"
#include "app/main_window.h"
#include "forms/position_table.h"
#include "forms/windows/cell_row.h"
#include "forms/windows/cheque_window.h"
#include "platform/qt_print_service.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {
namespace {

struct Word {
  QString text;
  double xMm;
  double yMm;
};

// The words of a PDF page with the top-left corners of their boxes, in mm.
std::vector<Word> ReadWords(const QString& pdf) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  EXPECT_TRUE(pdftotext.waitForFinished(30000));
  const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
  static const QRegularExpression word(
      QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
  std::vector<Word> words;
  for (auto match = word.globalMatch(html); match.hasNext();) {
    const auto m = match.next();
    constexpr double kMmPerPoint = 25.4 / 72.0;
    words.push_back({m.captured(3), m.captured(1).toDouble() * kMmPerPoint,
                     m.captured(2).toDouble() * kMmPerPoint});
  }
  return words;
}

void TypeText(QWidget* field, const QString& text) {
  field->setFocus();
  for (QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                        Qt::NoModifier);
  }
}

class PrintEndToEndTest : public UiFixture {
 protected:
  PrintEndToEndTest() : printing_(fakes_.messages, fakes_.clock) {
    qputenv("TALLYRA_PDF_DIR", pdfDir_.path().toUtf8());
  }
  ~PrintEndToEndTest() override { qunsetenv("TALLYRA_PDF_DIR"); }

  QTemporaryDir pdfDir_;
  QtPrintService printing_;
  Services services_{fakes_.messages, fakes_.clock,   fakes_.sound,
                     fakes_.shell,    fakes_.process, printing_};
};

TEST_F(PrintEndToEndTest, APrintedChequeCarriesEveryItemAtItsPlace) {
  AddOperator("admin", "secret", "超级管理员");
  ASSERT_TRUE(store_->Open("bsf\\Bfzh.bsf"));
  ASSERT_TRUE(store_->Append({std::string("基本户"), std::string("1234567890")}));
  store_->CloseAll();
  StoreChequeOffsets(-15, 20);

  AppContext context{state_, *store_, services_};
  std::unique_ptr<MainWindow> main;
  auto* login = new LoginWindow(context, [&] {
    main = std::make_unique<MainWindow>(context, ProgramWindows());
    main->show();
  });
  login->show();
  login->findChild<QLineEdit*>(QStringLiteral("登录名编辑框"))->setText("admin");
  login->findChild<QLineEdit*>(QStringLiteral("登录密码编辑框"))->setText("secret");
  login->findChild<QPushButton*>(QStringLiteral("首页登陆按钮"))->click();
  ASSERT_NE(main, nullptr);

  main->OnMenuItemClicked(0, 1);  // 打印支票
  auto* cheque = qobject_cast<ChequeWindow*>(state_.CurrentForm.data());
  ASSERT_NE(cheque, nullptr);
  cheque->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(cheque));
  TypeText(cheque->findChild<QLineEdit*>(QStringLiteral("收款编辑框1")),
           QStringLiteral("华联商贸"));
  TypeText(cheque->findChild<QLineEdit*>(QStringLiteral("用途编辑框1")), QStringLiteral("货款"));
  cheque->findChild<QComboBox*>(QStringLiteral("账号编辑框1"))->setCurrentIndex(0);
  cheque->Digits()->Cell(5)->setFocus();  // 千
  for (char digit : std::string("123450")) {
    QTest::keyClicks(QApplication::focusWidget(), QString(QChar(digit)));
  }
  cheque->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();

  const QStringList pdfs = QDir(pdfDir_.path()).entryList({QStringLiteral("*.pdf")});
  ASSERT_EQ(pdfs.size(), 1);
  EXPECT_TRUE(pdfs[0].startsWith(QStringLiteral("支票打印"))) << pdfs[0].toStdString();
  const std::vector<Word> words = ReadWords(pdfDir_.filePath(pdfs[0]));

  // The cheque's items at their layout positions plus the offsets (-15, 20), in 0.1 mm.
  const struct {
    QString text;
    int x;
    int y;
  } expected[] = {
      {QStringLiteral("贰零壹壹"), 800, 150},
      {QStringLiteral("壹拾壹"), 1000, 150},
      {QStringLiteral("贰拾伍"), 1150, 150},
      {QStringLiteral("华联商贸"), 650, 190},
      {"1234567890", 1570, 200},
      {QStringLiteral("壹仟贰佰叁拾肆元伍角整"), 670, 280},
      // The full-width ￥ ends 0.5 mm before the leading digit: pdftotext reads one word.
      {QStringLiteral("￥1"), 1730, 300},
      {"2", 1810, 300},
      {"3", 1850, 300},
      {"4", 1890, 300},
      {"5", 1930, 300},
      {"0", 1970, 300},
      {QStringLiteral("货款"), 610, 370},
      {"2011", 120, 430},
      {"11", 250, 430},
      {"25", 330, 430},
      {"1,234.50", 100, 590},
  };
  for (const auto& item : expected) {
    const double xMm = (item.x - 15) / 10.0;
    const double yMm = (item.y + 20) / 10.0;
    const auto found = std::find_if(words.begin(), words.end(), [&](const Word& w) {
      return w.text == item.text && std::fabs(w.xMm - xMm) <= 0.3 && std::fabs(w.yMm - yMm) <= 0.3;
    });
    EXPECT_NE(found, words.end()) << item.text.toStdString() << " not at " << xMm << ", " << yMm
                                  << " mm";
  }
  EXPECT_TRUE(fakes_.messages.shown.size() == 1) << "only the confirmation was shown";
}

}  // namespace
}  // namespace tallyra
