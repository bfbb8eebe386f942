// The print dialog on a real print server: it opens on the default queue with the form's
// paper and one copy, and what the operator chooses there is checked like a named queue.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include "forms/cheque_layout.h"
#include "forms/print_engine.h"
#include "platform/qt_print_service.h"
#include "tests/support/cups_test_server.h"
#include "tests/support/fake_services.h"
#include "tests/support/filled_cheque.h"

namespace tallyra {
namespace {

struct DialogSeen {
  bool shown = false;
  QString printer;
  QSizeF paperMm;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  int copies = 0;
};

class PrintDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TALLYRA_REQUIRE_CUPS(server_);
    ASSERT_TRUE(server_.Run(QStringLiteral("lpadmin"),
                            {QStringLiteral("-d"), QLatin1String(CupsTestServer::kQueue)}));
  }

  // Prints the cheque through the dialog, which notes what it shows and presses Print.
  bool PrintThroughDialog(DialogSeen& seen, const PaperSpec* paper = nullptr,
                          const char* jobName = nullptr) {
    QTimer::singleShot(0, [&seen] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      seen.shown = true;
      seen.printer = dialog->printer()->printerName();
      seen.paperMm = dialog->printer()->pageLayout().fullRect(QPageLayout::Millimeter).size();
      seen.orientation = dialog->printer()->pageLayout().orientation();
      seen.copies = dialog->printer()->copyCount();
      dialog->accept();
    });
    PrintRun run = PreparePrintRun(ChequeLayout(), FilledCheque(), {0, 0});
    if (paper != nullptr) run.paper = *paper;
    if (jobName != nullptr) run.jobName = jobName;  // the queue names its file after the job
    return QtPrintService(fakes_.messages, fakes_.clock).Print(nullptr, run);
  }

  CupsTestServer server_;
  FakeServices fakes_;
};

TEST_F(PrintDialogTest, OpensOnTheDefaultQueueWithTheFormsPaperAndPrintsThere) {
  const struct {
    const char* jobName;
    PaperSpec paper;
    double widthMm, heightMm;  // as the page lies
    QPageLayout::Orientation orientation;
  } cases[] = {
      {"支票打印", {2660, 1660, PaperOrientation::kPortrait}, 266, 166, QPageLayout::Portrait},
      {"收款凭证打印",
       {1250, 2660, PaperOrientation::kLandscape},
       266,
       125,
       QPageLayout::Landscape},
  };
  int printed = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.jobName);
    DialogSeen seen;
    EXPECT_TRUE(PrintThroughDialog(seen, &c.paper, c.jobName));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.printer, QLatin1String(CupsTestServer::kQueue));
    EXPECT_NEAR(seen.paperMm.width(), c.widthMm, 0.2);
    EXPECT_NEAR(seen.paperMm.height(), c.heightMm, 0.2);
    EXPECT_EQ(seen.orientation, c.orientation);
    EXPECT_EQ(seen.copies, 1);
    EXPECT_TRUE(fakes_.messages.shown.empty());
    EXPECT_EQ(server_.WaitForPdfs(++printed, 60000).size(), printed);
  }
}

TEST_F(PrintDialogTest, AStoppedQueueChosenInTheDialogPrintsNothing) {
  ASSERT_TRUE(server_.Run(QStringLiteral("cupsdisable"), {QLatin1String(CupsTestServer::kQueue)}));
  DialogSeen seen;
  EXPECT_FALSE(PrintThroughDialog(seen));
  ASSERT_TRUE(seen.shown);
  ASSERT_EQ(fakes_.messages.shown.size(), 1u);
  EXPECT_EQ(fakes_.messages.shown[0].text,
            QStringLiteral("打印机“TallyraTest”已停止，没有打印。\n请在打印机队列中恢复后重试。"));
  EXPECT_EQ(server_.JobCount(), 0);
}

}  // namespace
}  // namespace tallyra
