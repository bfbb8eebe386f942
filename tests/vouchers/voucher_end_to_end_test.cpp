// Each voucher end to end: log in, open it from the main window, fill every field of all
// five lines, print it unattended to PDF and read the page back.
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "forms/position_table.h"
#include "forms/print_engine.h"
#include "tests/support/end_to_end.h"
#include "vouchers/windows/voucher_window.h"

namespace tallyra {
namespace {

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

constexpr double kMmPerPoint = 25.4 / 72.0;

// The page's width and height in mm.
std::pair<double, double> PageSize(const QString& pdf) {
  static const QRegularExpression size(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
  const auto m = size.match(Run(QStringLiteral("pdfinfo"), {pdf}));
  EXPECT_TRUE(m.hasMatch());
  return {m.captured(1).toDouble() * kMmPerPoint, m.captured(2).toDouble() * kMmPerPoint};
}

struct Case {
  int menuItem;  // in the first menu group
  VoucherKind kind;
  OffsetPair pair;
  const char* job;
  const PrintLayout& (*layout)();
  const char* name;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.job; }

class VoucherEndToEndTest : public EndToEndTest, public ::testing::WithParamInterface<Case> {};

TEST_P(VoucherEndToEndTest, EveryItemStandsAtItsPlaceOnTheWidePage) {
  TALLYRA_REQUIRE_PDFTOTEXT();
  constexpr double dx = 25, dy = -15;
  StoreOffsets(GetParam().pair, dx, dy);
  LogIn();
  main_->OnMenuItemClicked(0, GetParam().menuItem);
  auto* voucher = qobject_cast<VoucherWindow*>(state_.CurrentForm.data());
  ASSERT_NE(voucher, nullptr);
  voucher->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(voucher));
  auto field = [voucher](const std::string& name) {
    return voucher->findChild<QWidget*>(QString::fromStdString(name));
  };
  TypeText(field("编辑框1"), "CN0001");
  TypeText(field("编辑框2"), "MK0002");
  if (GetParam().kind != VoucherKind::kTransfer) {
    voucher->findChild<QComboBox*>(QStringLiteral("组合框1"))
        ->setEditText(QStringLiteral("银行存款"));
  }
  for (int k = 0; k < kVoucherLines; ++k) {
    const VoucherLineNames line = VoucherLine(GetParam().kind, k);
    const QString n = QString::number(k + 1);
    TypeText(field(line.counterparty), QStringLiteral("华联商贸") + n);
    TypeText(field(line.summary), QStringLiteral("货款") + n);
    for (std::size_t s = 0; s < line.subjects.size(); ++s) {
      TypeText(field(line.subjects[s]), QStringLiteral("科目") + n + QString::number(s));
    }
    // Ten digits and the two marks, the focus walking the cells.
    voucher->Line(k)->Cell(0)->setFocus();
    for (QChar c : QStringLiteral("123456789") + n + QStringLiteral("78")) {
      QTest::keyClicks(QApplication::focusWidget(), QString(c));
    }
  }
  TypeText(field("编辑框85"), "12");
  TypeText(field("编辑框74"), "3");
  TypeText(field("编辑框73"), "4");
  voucher->findChild<QPushButton*>(QStringLiteral("按钮8"))->click();

  const QString pdf = OnlyPdf(QString::fromUtf8(GetParam().job));
  ASSERT_FALSE(pdf.isEmpty());
  const auto [width, height] = PageSize(pdf);
  EXPECT_NEAR(width, 266.0, 0.4);
  EXPECT_NEAR(height, 125.0, 0.4);
  const std::vector<Word> words = ReadWords(pdf);

  // What the layout puts where, without offsets: each text's first line, its first word.
  FieldValues fields;
  for (const std::string& name : SourceNames(GetParam().layout())) {
    QWidget* control = field(name);
    ASSERT_NE(control, nullptr) << name;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) fields[name] = edit->text().toStdString();
    if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
      fields[name] = box->toPlainText().toStdString();
    }
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      fields[name] = list->currentText().toStdString();
    }
    EXPECT_TRUE(qobject_cast<QDateEdit*>(control) || !fields[name].empty()) << name << " empty";
  }
  fields["日期框2"] = "2011-11-25";
  EXPECT_EQ(fields["编辑框75"], "6") << "the total fills all ten cells: no ￥";
  int checked = 0;
  for (const PrintOperation& op : PreparePrintRun(GetParam().layout(), fields, {}).operations) {
    if (op.kind != PrintOperation::Kind::kText) continue;
    QString text = QString::fromStdString(op.text).split(QStringLiteral("\r\n")).front();
    const bool indented = text.startsWith(' ');
    text = text.trimmed().split(' ', Qt::SkipEmptyParts).front();
    const double xMm = (op.x + dx) / 10.0;
    const double yMm = (op.y + dy) / 10.0;
    const auto found = std::find_if(words.begin(), words.end(), [&](const Word& w) {
      // An indented caption starts to the right of its position.
      const bool xFits = indented ? w.xMm > xMm : std::fabs(w.xMm - xMm) <= 0.3;
      return w.text == text && xFits && std::fabs(w.yMm - yMm) <= 0.3;
    });
    EXPECT_NE(found, words.end()) << text.toStdString() << " not at " << xMm << ", " << yMm
                                  << " mm";
    ++checked;
  }
  EXPECT_GT(checked, 80);
  EXPECT_EQ(fakes_.messages.shown.size(), 1u) << "only the confirmation was shown";
}

INSTANTIATE_TEST_SUITE_P(
    Vouchers, VoucherEndToEndTest,
    ::testing::Values(Case{4, VoucherKind::kReceipt, OffsetPair::kReceiptVoucher, "收款凭证打印",
                           &ReceiptVoucherLayout, "Receipt"},
                      Case{5, VoucherKind::kPayment, OffsetPair::kPaymentVoucher, "付款凭证打印",
                           &PaymentVoucherLayout, "Payment"},
                      Case{6, VoucherKind::kTransfer, OffsetPair::kTransferVoucher, "转帐凭证打印",
                           &TransferVoucherLayout, "Transfer"}),
    [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tallyra
