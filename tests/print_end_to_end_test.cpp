// The road of a typical print, end to end: log in, open the cheque from the main window,
// fill it in, print it unattended to PDF and read the page back.
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <climits>
#include <cmath>

#include "app/login_window.h"
#include "app/main_window.h"
#include "forms/cheque_window.h"
#include "forms/digit_row.h"
#include "forms/position_table.h"
#include "platform/qt_print_service.h"
#include "tests/cups_test_server.h"
#include "tests/ui_fixture.h"

namespace tallyra {
namespace {

struct Word {
  QString text;
  double xMm;
  double yMm;
  double rightMm;
  double bottomMm;
};

// The words of a PDF page with the top-left corners of their boxes, in mm.
std::vector<Word> ReadWords(const QString& pdf) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  EXPECT_TRUE(pdftotext.waitForFinished(30000));
  const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
  static const QRegularExpression word(QStringLiteral(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<Word> words;
  for (auto match = word.globalMatch(html); match.hasNext();) {
    const auto m = match.next();
    constexpr double kMmPerPoint = 25.4 / 72.0;
    words.push_back({m.captured(5), m.captured(1).toDouble() * kMmPerPoint,
                     m.captured(2).toDouble() * kMmPerPoint, m.captured(3).toDouble() * kMmPerPoint,
                     m.captured(4).toDouble() * kMmPerPoint});
  }
  return words;
}

// The page rendered at 10 pixels a millimetre, in grey.
constexpr double kPixelsPerMm = 10;
QImage RenderPage(const QString& pdf, const QString& pngStem) {
  QProcess pdftoppm;
  pdftoppm.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"),
                  QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, pngStem});
  EXPECT_TRUE(pdftoppm.waitForFinished(30000));
  return QImage(pngStem + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

// The box of the dark pixels inside a box of the page, in mm; empty when there are none.
QRectF InkWithin(const QImage& page, const QRectF& boxMm) {
  const QRect box =
      QRect(QPoint(int(boxMm.left() * kPixelsPerMm), int(boxMm.top() * kPixelsPerMm)),
            QPoint(int(boxMm.right() * kPixelsPerMm), int(boxMm.bottom() * kPixelsPerMm)))
          .intersected(page.rect());
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    const uchar* line = page.constScanLine(y);
    for (int x = box.left(); x <= box.right(); ++x) {
      if (line[x] >= 224) continue;  // thin strokes come out grey at the queue's 300 dpi
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return QRectF(left / kPixelsPerMm, top / kPixelsPerMm, (right - left + 1) / kPixelsPerMm,
                (bottom - top + 1) / kPixelsPerMm);
}

void TypeText(QWidget* field, const QString& text) {
  field->setFocus();
  for (QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                        Qt::NoModifier);
  }
}

// The cheque's items at their layout positions, in 0.1 mm before the offsets.
struct Item {
  QString text;
  int x;
  int y;
};
const Item kChequeItems[] = {
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
constexpr int kOffsetX = -15;
constexpr int kOffsetY = 20;

constexpr double kToleranceMm = 0.3;

// Each item's word at layout + offsets + corner (mm) within 0.3 mm; the words found.
std::vector<Word> ExpectItemsAt(const std::vector<Word>& words, double cornerXMm,
                                double cornerYMm) {
  std::vector<Word> found;
  for (const Item& item : kChequeItems) {
    const double xMm = (item.x + kOffsetX) / 10.0 + cornerXMm;
    const double yMm = (item.y + kOffsetY) / 10.0 + cornerYMm;
    const auto word = std::find_if(words.begin(), words.end(), [&](const Word& w) {
      return w.text == item.text && std::fabs(w.xMm - xMm) <= kToleranceMm &&
             std::fabs(w.yMm - yMm) <= kToleranceMm;
    });
    EXPECT_NE(word, words.end()) << item.text.toStdString() << " not at " << xMm << ", " << yMm
                                 << " mm";
    if (word != words.end()) found.push_back(*word);
  }
  return found;
}

class PrintEndToEndTest : public UiFixture {
 protected:
  PrintEndToEndTest() : printing_(fakes_.messages, fakes_.clock) {}
  ~PrintEndToEndTest() override {
    qunsetenv("TALLYRA_PDF_DIR");
    qunsetenv("TALLYRA_PRINTER");
  }

  // Logs in, opens the cheque from the main window, fills it in and presses Print.
  void PrintFilledCheque() {
    AddOperator("admin", "secret", "超级管理员");
    ASSERT_TRUE(store_->Open("bsf\\Bfzh.bsf"));
    ASSERT_TRUE(store_->Append({std::string("基本户"), std::string("1234567890")}));
    store_->CloseAll();
    StoreChequeOffsets(kOffsetX, kOffsetY);

    auto* login = new LoginWindow(appContext_, [&] {
      main_ = std::make_unique<MainWindow>(appContext_, ProgramWindows());
      main_->show();
    });
    login->show();
    login->findChild<QLineEdit*>(QStringLiteral("登录名编辑框"))->setText("admin");
    login->findChild<QLineEdit*>(QStringLiteral("登录密码编辑框"))->setText("secret");
    login->findChild<QPushButton*>(QStringLiteral("首页登陆按钮"))->click();
    ASSERT_NE(main_, nullptr);

    main_->OnMenuItemClicked(0, 1);  // 打印支票
    auto* cheque = qobject_cast<ChequeWindow*>(state_.CurrentForm.data());
    ASSERT_NE(cheque, nullptr);
    cheque->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(cheque));
    TypeText(cheque->findChild<QLineEdit*>(QStringLiteral("收款编辑框1")),
             QStringLiteral("华联商贸"));
    TypeText(cheque->findChild<QLineEdit*>(QStringLiteral("用途编辑框1")), QStringLiteral("货款"));
    cheque->findChild<QComboBox*>(QStringLiteral("账号编辑框1"))->setCurrentIndex(0);
    cheque->Digits()->Box(5)->setFocus();  // 千
    for (char digit : std::string("123450")) {
      QTest::keyClicks(QApplication::focusWidget(), QString(QChar(digit)));
    }
    cheque->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();
  }

  QtPrintService printing_;
  Services services_{fakes_.messages, fakes_.clock,   fakes_.sound,
                     fakes_.shell,    fakes_.process, printing_};
  AppContext appContext_{state_, *store_, services_};
  std::unique_ptr<MainWindow> main_;
};

TEST_F(PrintEndToEndTest, APrintedChequeCarriesEveryItemAtItsPlace) {
  QTemporaryDir pdfDir;
  qputenv("TALLYRA_PDF_DIR", pdfDir.path().toUtf8());
  PrintFilledCheque();

  const QStringList pdfs = QDir(pdfDir.path()).entryList({QStringLiteral("*.pdf")});
  ASSERT_EQ(pdfs.size(), 1);
  EXPECT_TRUE(pdfs[0].startsWith(QStringLiteral("支票打印"))) << pdfs[0].toStdString();
  // A PDF file has no unprintable margin: its printable area starts at the paper's corner.
  ExpectItemsAt(ReadWords(pdfDir.filePath(pdfs[0])), 0, 0);
  EXPECT_TRUE(fakes_.messages.shown.size() == 1) << "only the confirmation was shown";
}

TEST_F(PrintEndToEndTest, AChequeOnAPrintServerQueueStandsFromItsPrintableCorner) {
  CupsTestServer server;
  TALLYRA_REQUIRE_CUPS(server);
  qputenv("TALLYRA_PRINTER", CupsTestServer::kQueue);
  PrintFilledCheque();

  const QStringList pdfs = server.WaitForPdfs(1, 60000);
  ASSERT_EQ(pdfs.size(), 1) << "the queue wrote no PDF";
  EXPECT_EQ(fakes_.messages.shown.size(), 1u) << "only the confirmation was shown";

  // The document as the program handed it to the queue: every text is readable there.
  const QStringList documents =
      QDir(server.SpoolDir()).entryList({QStringLiteral("d*-001")}, QDir::Files);
  ASSERT_EQ(documents.size(), 1);
  const QString submitted = QDir(server.SpoolDir()).filePath(documents[0]);
  const std::vector<Word> items = ExpectItemsAt(ReadWords(submitted), CupsTestServer::kLeftMarginMm,
                                                CupsTestServer::kTopMarginMm);
  ASSERT_EQ(items.size(), std::size(kChequeItems));

  // The queue's page: its fonts become Type 3, whose texts and boxes pdftotext cannot read,
  // so each item's ink is matched with the submitted page's ink around the item.
  QTemporaryDir pngs;
  const QImage queuePage = RenderPage(pdfs[0], pngs.filePath(QStringLiteral("queue")));
  const QImage submittedPage = RenderPage(submitted, pngs.filePath(QStringLiteral("submitted")));
  EXPECT_NEAR(queuePage.width() / kPixelsPerMm, 266, 0.2);
  EXPECT_NEAR(queuePage.height() / kPixelsPerMm, 166, 0.2);
  for (const Word& item : items) {
    const QRectF around = QRectF(QPointF(item.xMm, item.yMm), QPointF(item.rightMm, item.bottomMm))
                              .adjusted(-0.5, -0.5, 0.5, 0.5);
    const QRectF expected = InkWithin(submittedPage, around);
    const QRectF printed = InkWithin(queuePage, around);
    ASSERT_FALSE(expected.isEmpty()) << item.text.toStdString();
    ASSERT_FALSE(printed.isEmpty()) << item.text.toStdString() << " missing on the queue's page";
    EXPECT_NEAR(printed.left(), expected.left(), kToleranceMm) << item.text.toStdString();
    EXPECT_NEAR(printed.top(), expected.top(), kToleranceMm) << item.text.toStdString();
    EXPECT_NEAR(printed.width(), expected.width(), kToleranceMm) << item.text.toStdString();
  }
}

}  // namespace
}  // namespace tallyra
