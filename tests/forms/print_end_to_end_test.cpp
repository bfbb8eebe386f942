// The road of a typical print, end to end: log in, open the cheque from the main window,
// fill it in, print it unattended to PDF and read the page back.
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <climits>
#include <cmath>

#include "forms/position_table.h"
#include "forms/print_engine.h"
#include "forms/windows/cell_row.h"
#include "forms/windows/cheque_window.h"
#include "tests/support/cups_test_server.h"
#include "tests/support/end_to_end.h"
#include "vouchers/windows/voucher_window.h"

namespace tallyra {
namespace {

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

// The ink around a word, half a millimetre each side of its box, on the page the program
// submitted and on the page the queue made of it.
struct InkPair {
  QRectF submitted;
  QRectF printed;
};
InkPair InkAround(const Word& word, const QImage& submittedPage, const QImage& queuePage) {
  const QRectF around = QRectF(QPointF(word.xMm, word.yMm), QPointF(word.rightMm, word.bottomMm))
                            .adjusted(-0.5, -0.5, 0.5, 0.5);
  return {InkWithin(submittedPage, around), InkWithin(queuePage, around)};
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

// The one document the program handed to the queue, as the print server spooled it;
// empty (after a failure) unless there is exactly one.
QString SubmittedDocument(const CupsTestServer& server) {
  const QStringList documents =
      QDir(server.SpoolDir()).entryList({QStringLiteral("d*-001")}, QDir::Files);
  EXPECT_EQ(documents.size(), 1);
  return documents.size() == 1 ? QDir(server.SpoolDir()).filePath(documents[0]) : QString();
}

class PrintEndToEndTest : public EndToEndTest {
 protected:
  ~PrintEndToEndTest() override { qunsetenv("TALLYRA_PRINTER"); }

  // Logs in, opens the cheque from the main window, fills it in and presses Print.
  void PrintFilledCheque() {
    AddRecords("Bfzh.bsf", {{"基本户", "1234567890"}});
    StoreChequeOffsets(kOffsetX, kOffsetY);
    LogIn();
    main_->OnMenuItemClicked(0, 1);  // 打印支票
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
  }
};

TEST_F(PrintEndToEndTest, APrintedChequeCarriesEveryItemAtItsPlace) {
  TALLYRA_REQUIRE_PDFTOTEXT();
  PrintFilledCheque();
  // A PDF file has no unprintable margin: its printable area starts at the paper's corner.
  ExpectItemsAt(ReadWords(OnlyPdf(QStringLiteral("支票打印"))), 0, 0);
  EXPECT_TRUE(fakes_.messages.shown.size() == 1) << "only the confirmation was shown";
}

TEST_F(PrintEndToEndTest, AChequeOnAPrintServerQueueStandsFromItsPrintableCorner) {
  TALLYRA_REQUIRE_PDFTOTEXT();
  CupsTestServer server;
  TALLYRA_REQUIRE_CUPS(server);
  qunsetenv("TALLYRA_PDF_DIR");  // it would win over the queue
  qputenv("TALLYRA_PRINTER", CupsTestServer::kQueue);
  PrintFilledCheque();

  const QStringList pdfs = server.WaitForPdfs(1, 60000);
  ASSERT_EQ(pdfs.size(), 1) << "the queue wrote no PDF";
  EXPECT_EQ(fakes_.messages.shown.size(), 1u) << "only the confirmation was shown";

  // The document as the program handed it to the queue: every text is readable there.
  const QString submitted = SubmittedDocument(server);
  ASSERT_FALSE(submitted.isEmpty());
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
    const auto [expected, printed] = InkAround(item, submittedPage, queuePage);
    ASSERT_FALSE(expected.isEmpty()) << item.text.toStdString();
    ASSERT_FALSE(printed.isEmpty()) << item.text.toStdString() << " missing on the queue's page";
    EXPECT_NEAR(printed.left(), expected.left(), kToleranceMm) << item.text.toStdString();
    EXPECT_NEAR(printed.top(), expected.top(), kToleranceMm) << item.text.toStdString();
    EXPECT_NEAR(printed.width(), expected.width(), kToleranceMm) << item.text.toStdString();
  }
}

// A landscape voucher on an upright sheet: the queue turns the page a quarter turn onto
// the sheet, so the page's printable corner is the sheet's, turned with it.
struct TurnCase {
  const char* name;
  const char* queue;
  double cornerXMm;  // the printable corner on the page as it comes out
  double cornerYMm;
  double sheetToPage;  // the turn that brings the queue's upright sheet back to the page
};

void PrintTo(const TurnCase& c, std::ostream* out) { *out << c.name; }

class VoucherOnAQueueTest : public PrintEndToEndTest,
                            public ::testing::WithParamInterface<TurnCase> {};

TEST_P(VoucherOnAQueueTest, EveryItemStandsFromThePrintableCornerAsThePageComesOut) {
  TALLYRA_REQUIRE_PDFTOTEXT();
  CupsTestServer server;
  TALLYRA_REQUIRE_CUPS(server);
  const TurnCase& turn = GetParam();
  qunsetenv("TALLYRA_PDF_DIR");
  qputenv("TALLYRA_PRINTER", turn.queue);
  constexpr int dx = 25, dy = -15;
  StoreOffsets(OffsetPair::kReceiptVoucher, dx, dy);
  LogIn();
  main_->OnMenuItemClicked(0, 4);  // 打印收款凭证
  auto* voucher = qobject_cast<VoucherWindow*>(state_.CurrentForm.data());
  ASSERT_NE(voucher, nullptr);
  voucher->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(voucher));
  const auto field = [voucher](const std::string& name) {
    return voucher->findChild<QWidget*>(QString::fromStdString(name));
  };
  const VoucherLineNames first = VoucherLine(VoucherKind::kReceipt, 0);
  const VoucherLineNames last = VoucherLine(VoucherKind::kReceipt, kVoucherLines - 1);
  TypeText(field("编辑框1"), "CN0001");
  TypeText(field(first.counterparty), QStringLiteral("华联商贸"));
  TypeText(field(first.summary), QStringLiteral("货款"));
  TypeText(field(last.counterparty), QStringLiteral("东方机电"));
  voucher->Line(0)->Cell(3)->setFocus();  // 万 to 分, and the two marks
  for (QChar c : QStringLiteral("123450078")) QTest::keyClicks(QApplication::focusWidget(), c);
  voucher->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();

  const QStringList pdfs = server.WaitForPdfs(1, 60000);
  ASSERT_EQ(pdfs.size(), 1) << "the queue wrote no PDF";
  EXPECT_EQ(fakes_.messages.shown.size(), 1u) << "only the confirmation was shown";
  const QString submitted = SubmittedDocument(server);
  ASSERT_FALSE(submitted.isEmpty());
  const std::vector<Word> words = ReadWords(submitted);

  // Where the layout puts each text: its first word at layout + offsets + corner, within
  // 0.2 mm.
  FieldValues fields;
  for (const std::string& name : SourceNames(ReceiptVoucherLayout())) {
    if (auto* edit = qobject_cast<QLineEdit*>(field(name)))
      fields[name] = edit->text().toStdString();
    if (auto* box = qobject_cast<QPlainTextEdit*>(field(name))) {
      fields[name] = box->toPlainText().toStdString();
    }
  }
  fields["日期框2"] = "2011-11-25";
  std::vector<Word> items;
  for (const PrintOperation& op :
       PreparePrintRun(ReceiptVoucherLayout(), fields, {dx, dy}).operations) {
    if (op.kind != PrintOperation::Kind::kText) continue;
    const QString text = QString::fromStdString(op.text).split(QStringLiteral("\r\n")).front();
    if (text.trimmed().isEmpty() || text.startsWith(' ')) continue;
    const QString firstWord = text.split(' ', Qt::SkipEmptyParts).front();
    const double xMm = op.x / 10.0 + turn.cornerXMm;
    const double yMm = op.y / 10.0 + turn.cornerYMm;
    const auto word = std::find_if(words.begin(), words.end(), [&](const Word& w) {
      return w.text == firstWord && std::fabs(w.xMm - xMm) <= 0.2 && std::fabs(w.yMm - yMm) <= 0.2;
    });
    EXPECT_NE(word, words.end()) << firstWord.toStdString() << " not at " << xMm << ", " << yMm;
    if (word != words.end()) items.push_back(*word);
  }
  ASSERT_GE(items.size(), 8u);

  // The queue's sheet, turned back, carries each item's ink where the submitted page has it,
  // within the queue's 300 dpi grid and Qt's page height rounded to whole points.
  QTemporaryDir pngs;
  const QImage sheet = RenderPage(pdfs[0], pngs.filePath(QStringLiteral("queue")));
  EXPECT_NEAR(sheet.width() / kPixelsPerMm, 125, 0.2) << "an upright sheet";
  EXPECT_NEAR(sheet.height() / kPixelsPerMm, 266, 0.2);
  const QImage queuePage = sheet.transformed(QTransform().rotate(turn.sheetToPage));
  const QImage submittedPage = RenderPage(submitted, pngs.filePath(QStringLiteral("submitted")));
  for (const Word& item : items) {
    const auto [expected, printed] = InkAround(item, submittedPage, queuePage);
    ASSERT_FALSE(expected.isEmpty()) << item.text.toStdString();
    ASSERT_FALSE(printed.isEmpty()) << item.text.toStdString() << " missing on the queue's sheet";
    EXPECT_NEAR(printed.center().x(), expected.center().x(), kToleranceMm)
        << item.text.toStdString();
    EXPECT_NEAR(printed.center().y(), expected.center().y(), kToleranceMm)
        << item.text.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Turns, VoucherOnAQueueTest,
    ::testing::Values(
        // Counter-clockwise: the page's left edge lies on the sheet's bottom, its top on the
        // sheet's left.
        TurnCase{"Plus90", CupsTestServer::kQueue, CupsTestServer::kBottomMarginMm,
                 CupsTestServer::kLeftMarginMm, 90},
        // Clockwise: the page's left edge on the sheet's top, its top on the sheet's right.
        TurnCase{"Minus90", CupsTestServer::kMinus90Queue, CupsTestServer::kTopMarginMm,
                 CupsTestServer::kRightMarginMm, -90}),
    [](const ::testing::TestParamInfo<TurnCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tallyra
