#include "platform/qt_print_device.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <limits>
#include <vector>

#include "forms/cheque_layout.h"
#include "forms/print_engine.h"
#include "platform/print_preview.h"
#include "platform/qt_print_service.h"
#include "tests/support/end_to_end.h"
#include "tests/support/fake_services.h"
#include "tests/support/filled_cheque.h"

namespace tallyra {
namespace {

constexpr double kMmPerPt = 25.4 / 72;
constexpr double kToleranceMm = 0.3;

struct Word {
  QString text;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // mm
};

struct PdfPage {
  double widthPt = 0, heightPt = 0;
  std::vector<Word> words;
};

// The page and its word boxes as poppler reads them back.
PdfPage ReadPdf(const QString& path) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), path, QStringLiteral("-")});
  EXPECT_TRUE(pdftotext.waitForFinished(10000));
  const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
  PdfPage page;
  static const QRegularExpression kPage(
      QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
  const auto pageMatch = kPage.match(html);
  if (pageMatch.hasMatch()) {
    page.widthPt = pageMatch.captured(1).toDouble();
    page.heightPt = pageMatch.captured(2).toDouble();
  }
  static const QRegularExpression kWord(
      QStringLiteral("<word xMin=\"(-?[\\d.]+)\" yMin=\"(-?[\\d.]+)\" xMax=\"([\\d.]+)\" "
                     "yMax=\"([\\d.]+)\">([^<]*)</word>"));
  for (auto it = kWord.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    page.words.push_back({m.captured(5), m.captured(1).toDouble() * kMmPerPt,
                          m.captured(2).toDouble() * kMmPerPt, m.captured(3).toDouble() * kMmPerPt,
                          m.captured(4).toDouble() * kMmPerPt});
  }
  return page;
}

// The word starting with this text nearest to (xMm, yMm); null when there is none.
const Word* Nearest(const PdfPage& page, const QString& text, double xMm, double yMm) {
  const Word* best = nullptr;
  double bestDistance = std::numeric_limits<double>::max();
  for (const Word& word : page.words) {
    const double distance = std::hypot(word.xMin - xMm, word.yMin - yMm);
    if (word.text.startsWith(text) && distance < bestDistance) {
      best = &word;
      bestDistance = distance;
    }
  }
  return best;
}

// A word that holds the text after its start and spans x on the line at y: poppler joins
// glyphs closer than a fraction of an em, as the full-width ￥ and the digit after it.
const Word* Joined(const PdfPage& page, const QString& text, double xMm, double yMm) {
  for (const Word& word : page.words) {
    if (word.text.indexOf(text, 1) > 0 && word.xMin < xMm && xMm < word.xMax &&
        std::abs(word.yMin - yMm) < kToleranceMm) {
      return &word;
    }
  }
  return nullptr;
}

QStringList Lines(const std::string& text) {
  return QString::fromStdString(text).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
}

class QtPrintDeviceTest : public ::testing::Test {
 protected:
  ~QtPrintDeviceTest() override { qunsetenv("TALLYRA_PDF_DIR"); }

  QString PdfPath(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
  bool PrintToPdf(const PrintRun& run, const QString& path) {
    return ExecutePrintRun(run, *QtPrintDevice::ToPdfFile(path, nullptr, fakes_.messages));
  }

  QTemporaryDir dir_;
  FakeServices fakes_;
};

TEST_F(QtPrintDeviceTest, PdfOfTheChequePutsEveryTextAtItsPosition) {
  TALLYRA_REQUIRE_PDFTOTEXT();
  const PrintRun run = PreparePrintRun(ChequeLayout(), FilledCheque(), {-15, 20});
  const QString path = PdfPath("cheque.pdf");
  ASSERT_TRUE(PrintToPdf(run, path));
  EXPECT_TRUE(fakes_.messages.shown.empty());

  const PdfPage page = ReadPdf(path);
  EXPECT_NEAR(page.widthPt, 754, 0.5);
  EXPECT_NEAR(page.heightPt, 471, 0.5);
  int texts = 0;
  int joined = 0;
  for (const PrintOperation& op : run.operations) {
    if (op.kind != PrintOperation::Kind::kText) continue;
    ++texts;
    const QStringList lines = Lines(op.text);
    const Word* first = Nearest(page, lines[0], op.x / 10.0, op.y / 10.0);
    if ((first == nullptr || std::abs(first->xMin - op.x / 10.0) > kToleranceMm) &&
        Joined(page, lines[0], op.x / 10.0, op.y / 10.0)) {
      ++joined;
      continue;
    }
    ASSERT_NE(first, nullptr) << Describe(op);
    EXPECT_NEAR(first->xMin, op.x / 10.0, kToleranceMm) << Describe(op);
    EXPECT_NEAR(first->yMin, op.y / 10.0, kToleranceMm) << Describe(op);
    if (lines.size() < 2) continue;
    // The second line: same x, right below the first, not a line further down.
    const Word* second = Nearest(page, lines[1], op.x / 10.0, first->yMax);
    ASSERT_NE(second, nullptr) << Describe(op);
    const double height = first->yMax - first->yMin;
    EXPECT_NEAR(second->xMin, first->xMin, kToleranceMm) << Describe(op);
    EXPECT_GT(second->yMin, first->yMax - 0.1) << Describe(op);
    EXPECT_LT(second->yMin - first->yMin, 1.5 * height) << Describe(op);
  }
  EXPECT_EQ(texts, 22);
  EXPECT_LE(joined, 1) << "only the digit after ￥ may join it";
}

TEST_F(QtPrintDeviceTest, PagesHaveTheirCustomSizeAndFontsTheirPointSize) {
  TALLYRA_REQUIRE_PDFTOTEXT();
  const struct {
    PaperSpec paper;
    double widthPt, heightPt;
  } cases[] = {
      {{2660, 1660, PaperOrientation::kPortrait}, 754, 471},
      // The vouchers' paper: 125 wide, 266 long, landscape gives a wide page.
      {{1250, 2660, PaperOrientation::kLandscape}, 754, 354},
  };
  for (const auto& c : cases) {
    PrintRun run{"试", c.paper, {}};
    for (const double points : {10.0, 20.0}) {
      run.operations.push_back(PrintOperation::SetFont("宋体", points));
      run.operations.push_back(PrintOperation::Text(2000, points == 10 ? 500 : 1000, "高度"));
    }
    const QString path = PdfPath("size.pdf");
    ASSERT_TRUE(PrintToPdf(run, path));
    const PdfPage page = ReadPdf(path);
    EXPECT_NEAR(page.widthPt, c.widthPt, 0.5);
    EXPECT_NEAR(page.heightPt, c.heightPt, 0.5);
    const Word* small = Nearest(page, QStringLiteral("高度"), 200, 50);
    const Word* large = Nearest(page, QStringLiteral("高度"), 200, 100);
    ASSERT_TRUE(small && large && small != large);
    EXPECT_NEAR(small->xMin, 200, kToleranceMm);
    EXPECT_NEAR(large->yMin, 100, kToleranceMm);
    // Two ideographs are two ems wide: 10 pt is 3.53 mm per em.
    EXPECT_NEAR(small->xMax - small->xMin, 2 * 10 * 25.4 / 72, 0.2);
    EXPECT_NEAR(large->xMax - large->xMin, 2 * 20 * 25.4 / 72, 0.4);
  }
}

TEST_F(QtPrintDeviceTest, UnattendedModeWritesEachRunToANewFileNamedAfterTheJob) {
  TALLYRA_REQUIRE_PDFTOTEXT();
  const QString folder = dir_.filePath(QStringLiteral("pdf"));  // made on first use
  qputenv("TALLYRA_PDF_DIR", folder.toUtf8());
  QtPrintService service(fakes_.messages, fakes_.clock);
  const PrintRun run = PreparePrintRun(ChequeLayout(), FilledCheque(), {0, 0});
  ASSERT_TRUE(service.Print(nullptr, run));
  ASSERT_TRUE(service.Print(nullptr, run));

  // The fake clock stands at 2011-11-25 09:05:07.000.
  EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
            QStringList({QStringLiteral("支票打印-20111125-090507-000-2.pdf"),
                         QStringLiteral("支票打印-20111125-090507-000.pdf")}));
  for (const QString& name : QDir(folder).entryList(QDir::Files)) {
    const PdfPage page = ReadPdf(QDir(folder).filePath(name));
    EXPECT_TRUE(Nearest(page, QStringLiteral("1,234.50"), 10, 59)) << name.toStdString();
  }
  EXPECT_TRUE(fakes_.messages.shown.empty());
}

TEST_F(QtPrintDeviceTest, APrinterThatCannotStartSaysSoAndPrintsNothing) {
  QFile blocker(dir_.filePath(QStringLiteral("file")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  const PrintRun run = PreparePrintRun(ChequeLayout(), FilledCheque(), {0, 0});
  const struct {
    const char* what;
    std::function<bool()> print;
  } cases[] = {
      {"PDF file in a missing folder",
       [&] { return PrintToPdf(run, PdfPath("missing/cheque.pdf")); }},
      {"unattended folder that cannot be made",
       [&] {
         qputenv("TALLYRA_PDF_DIR", dir_.filePath(QStringLiteral("file/pdf")).toUtf8());
         return QtPrintService(fakes_.messages, fakes_.clock).Print(nullptr, run);
       }},
  };
  for (const auto& c : cases) {
    fakes_.messages.shown.clear();
    EXPECT_FALSE(c.print()) << c.what;
    ASSERT_EQ(fakes_.messages.shown.size(), 1u) << c.what;
    const Message& message = fakes_.messages.shown[0];
    EXPECT_EQ(message.text, QStringLiteral("打印机无法开始打印，请检查打印机后重试。"));
    EXPECT_EQ(message.title, QStringLiteral("打印"));
    EXPECT_EQ(message.icon, MessageIcon::kWarning);
  }
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({QStringLiteral("file")}));
}

TEST(PrintableCornerTest, IsThePagesCornerAsItComesOutOfTheQueue) {
  // A sheet 125 × 266 mm with margins 4.2 left, 5 top, 3 right and 6 bottom.
  const QMarginsF sheetMargins(4.2, 5.0, 3.0, 6.0);
  const QPageSize voucher(QSizeF(125, 266), QPageSize::Millimeter);
  const QPageSize cheque(QSizeF(266, 166), QPageSize::Millimeter);
  const struct {
    const char* name;
    QPageSize size;
    QPageLayout::Orientation orientation;
    QMarginsF margins;
    LandscapeTurn turn;
    QPointF cornerMm;
  } cases[] = {
      {"upright page",
       cheque,
       QPageLayout::Portrait,
       sheetMargins,
       LandscapeTurn::kPlus90,
       {4.2, 5.0}},
      // The page's left edge lies on the sheet's bottom, its top on the sheet's left.
      {"turned counter-clockwise",
       voucher,
       QPageLayout::Landscape,
       sheetMargins,
       LandscapeTurn::kPlus90,
       {6.0, 4.2}},
      // The page's left edge lies on the sheet's top, its top on the sheet's right.
      {"turned clockwise",
       voucher,
       QPageLayout::Landscape,
       sheetMargins,
       LandscapeTurn::kMinus90,
       {5.0, 3.0}},
      // Where the driver states the margins of the page as printed.
      {"margins of the page",
       voucher,
       QPageLayout::Landscape,
       sheetMargins,
       LandscapeTurn::kNone,
       {4.2, 5.0}},
      {"a PDF file", voucher, QPageLayout::Landscape, QMarginsF(), LandscapeTurn::kPlus90, {0, 0}},
  };
  constexpr int kResolution = 1200;
  for (const auto& c : cases) {
    const QPageLayout layout(c.size, c.orientation, QMarginsF(), QPageLayout::Millimeter,
                             c.margins);
    const QPointF corner = PrintableCorner(layout, kResolution, c.turn) * 25.4 / kResolution;
    EXPECT_NEAR(corner.x(), c.cornerMm.x(), 0.005) << c.name;
    EXPECT_NEAR(corner.y(), c.cornerMm.y(), 0.005) << c.name;
  }
}

TEST_F(QtPrintDeviceTest, PreviewDrawsTheRunsPageWithoutPrinting) {
  const PrintRun run = PreparePrintRun(ChequeLayout(), FilledCheque(), {-15, 20});
  PrintPreview preview(nullptr, run, fakes_.messages);
  preview.Dialog().show();
  QApplication::processEvents();
  auto* widget = preview.Dialog().findChild<QPrintPreviewWidget*>();
  ASSERT_NE(widget, nullptr);
  EXPECT_GE(preview.Renderings(), 1);
  EXPECT_EQ(widget->pageCount(), 1);
  const QPageLayout layout = preview.Printer().pageLayout();
  EXPECT_NEAR(layout.fullRect(QPageLayout::Millimeter).width(), 266.0, 0.05);
  EXPECT_NEAR(layout.fullRect(QPageLayout::Millimeter).height(), 166.0, 0.05);
  EXPECT_EQ(preview.Printer().resolution(), 1200);
  preview.Dialog().close();
  EXPECT_TRUE(fakes_.messages.shown.empty());
}

}  // namespace
}  // namespace tallyra
