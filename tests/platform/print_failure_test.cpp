// A print queue that cannot take the job: one message box, nothing printed, the form kept
// for a reprint. Each case sets up a real queue on the test print server.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "forms/windows/cell_row.h"
#include "forms/windows/cheque_window.h"
#include "platform/qt_print_service.h"
#include "tests/support/cups_test_server.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {
namespace {

// The text of every edit box and list of a window, by control name.
std::map<QString, QString> Contents(const QWidget& window) {
  std::map<QString, QString> contents;
  for (const QLineEdit* edit : window.findChildren<QLineEdit*>()) {
    if (!edit->objectName().isEmpty()) contents[edit->objectName()] = edit->text();
  }
  for (const QComboBox* list : window.findChildren<QComboBox*>()) {
    contents[list->objectName()] = list->currentText();
  }
  return contents;
}

struct FailureCase {
  const char* name;
  // Breaks the server or a queue and returns the queue to print on.
  std::function<QString(CupsTestServer&)> breakQueue;
  QString message;
  // Mends it and returns the queue to print on again; null when it cannot be mended.
  std::function<QString(CupsTestServer&)> mendQueue;
};

void PrintTo(const FailureCase& failure, std::ostream* out) { *out << failure.name; }

QString Queue() { return QString::fromLatin1(CupsTestServer::kQueue); }

const FailureCase kCases[] = {
    {"Stopped",
     [](CupsTestServer& server) {
       EXPECT_TRUE(server.Run(QStringLiteral("cupsdisable"), {Queue()}));
       return Queue();
     },
     QStringLiteral("打印机“TallyraTest”已停止，没有打印。\n请在打印机队列中恢复后重试。"),
     [](CupsTestServer& server) {
       EXPECT_TRUE(server.Run(QStringLiteral("cupsenable"), {Queue()}));
       return Queue();
     }},
    {"Missing", [](CupsTestServer&) { return QStringLiteral("TallyraNoSuchQueue"); },
     QStringLiteral("找不到打印机“TallyraNoSuchQueue”，没有打印。"),
     [](CupsTestServer&) { return Queue(); }},
    {"Rejecting",
     [](CupsTestServer& server) {
       EXPECT_TRUE(server.Run(QStringLiteral("cupsreject"), {Queue()}));
       return Queue();
     },
     QStringLiteral("打印机“TallyraTest”不接受打印任务，没有打印。"),
     [](CupsTestServer& server) {
       EXPECT_TRUE(server.Run(QStringLiteral("cupsaccept"), {Queue()}));
       return Queue();
     }},
    {"NoServer",
     [](CupsTestServer& server) {
       server.Stop();
       return Queue();
     },
     QStringLiteral("无法连接打印服务，没有打印。\n请确认打印服务已启动后重试。"), nullptr},
    {"WithoutTheFormsPaper",
     [](CupsTestServer&) { return QString::fromLatin1(CupsTestServer::kA4Queue); },
     QStringLiteral("打印机“TallyraA4”不支持266.0 × 166.0 毫米的纸张，没有打印。"),
     [](CupsTestServer&) { return Queue(); }},
};

class PrintFailureTest : public UiFixture, public ::testing::WithParamInterface<FailureCase> {
 protected:
  PrintFailureTest() : printing_(fakes_.messages, fakes_.clock) {}
  ~PrintFailureTest() override {
    delete window_;
    qunsetenv("TALLYRA_PRINTER");
  }

  void SetUp() override {
    TALLYRA_REQUIRE_CUPS(server_);
    StoreChequeOffsets(0, 0);
    window_ = CreateForm<ChequeWindow>(appContext_, nullptr);
    ShowActive(window_);
    window_->findChild<QLineEdit*>(QStringLiteral("收款编辑框1"))
        ->setText(QStringLiteral("华联商贸"));
    window_->Digits()->Cell(7)->setFocus();  // 十
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("42"));
  }

  void PrintOn(const QString& queue) {
    qputenv("TALLYRA_PRINTER", queue.toUtf8());
    window_->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();
  }

  CupsTestServer server_;
  QtPrintService printing_;
  Services services_{fakes_.messages, fakes_.clock, fakes_.sound, fakes_.shell,
                     fakes_.process,  printing_,    fakes_.files};
  AppContext appContext_{state_, *store_, services_};
  ChequeWindow* window_ = nullptr;
};

TEST_P(PrintFailureTest, OneMessageNothingPrintedAndTheFormKeptForAReprint) {
  const FailureCase& failure = GetParam();
  const auto before = Contents(*window_);
  ASSERT_EQ(before.at(QStringLiteral("收款编辑框1")), QStringLiteral("华联商贸"));

  PrintOn(failure.breakQueue(server_));

  ASSERT_EQ(fakes_.messages.shown.size(), 2u) << "the confirmation, then one message";
  EXPECT_EQ(fakes_.messages.shown[1].text, failure.message);
  EXPECT_EQ(fakes_.messages.shown[1].icon, MessageIcon::kWarning);
  EXPECT_TRUE(server_.Pdfs().isEmpty());
  if (failure.mendQueue) {
    EXPECT_EQ(server_.JobCount(), 0) << "no job reached any queue";
  }
  EXPECT_EQ(Contents(*window_), before);
  if (!failure.mendQueue) return;

  PrintOn(failure.mendQueue(server_));
  EXPECT_EQ(server_.WaitForPdfs(1, 60000).size(), 1) << "the reprint comes out";
  EXPECT_EQ(fakes_.messages.shown.size(), 3u) << "only the second confirmation";
}

INSTANTIATE_TEST_SUITE_P(Queues, PrintFailureTest, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tallyra
