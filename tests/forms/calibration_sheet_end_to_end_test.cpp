// The calibration sheet end to end: offsets typed into a position window and not saved,
// the sheet printed unattended to PDF, and every cross and name read back from the page.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <map>
#include <ostream>

#include "app/calibration_sheet_forms.h"
#include "forms/calibration_sheet.h"
#include "forms/cash_deposit_layout.h"
#include "forms/cheque_layout.h"
#include "forms/deposit_slip_layout.h"
#include "forms/windows/deposit_slip_position_window.h"
#include "forms/windows/print_position_window.h"
#include "forms/wire_transfer_layout.h"
#include "tests/support/end_to_end.h"
#include "tests/support/pdf_lines.h"
#include "vouchers/voucher_layout.h"

namespace tallyra {
namespace {

struct Mark {
  std::string name;
  double xMm;
  double yMm;
};

// Where the layout table says each item lands with these offsets, worked out here from the
// table alone: position plus the offset the item (or digit column) names.
std::vector<Mark> Expected(const PrintLayout& layout, const std::map<int, int>& boxes,
                           int firstField) {
  const auto offset = [&](std::size_t index) {
    const auto found = boxes.find(firstField + static_cast<int>(index));
    return found == boxes.end() ? 0 : found->second;
  };
  std::vector<Mark> marks;
  for (const LayoutItem& item : layout.items) {
    const int y = item.y + offset(item.offset.y);
    if (item.digitRow.empty()) {
      marks.push_back({item.name, (item.x + offset(item.offset.x)) / 10.0, y / 10.0});
      continue;
    }
    const std::vector<std::string> places = PlaceNames(item.digitRow.size());
    for (std::size_t k = 0; k < item.digitRow.size(); ++k) {
      const DigitColumn& column = item.digitRow[k];
      marks.push_back({places[k], (column.x + offset(column.xOffset)) / 10.0, y / 10.0});
    }
  }
  return marks;
}

// Cross centres on the page: a black horizontal and a black vertical stroke of the cross's
// pen meeting at their middles.
std::vector<std::pair<double, double>> Crosses(const std::vector<PdfLine>& lines) {
  const double penMm = kCrossPen / 100.0;
  std::vector<std::pair<double, double>> across;
  std::vector<std::pair<double, double>> down;
  for (const PdfLine& l : lines) {
    if (l.gray > 0.05 || std::fabs(l.widthMm - penMm) > 0.01) continue;
    const std::pair<double, double> middle{(l.x1 + l.x2) / 2, (l.y1 + l.y2) / 2};
    if (std::fabs(l.y1 - l.y2) < 1e-6) across.push_back(middle);
    if (std::fabs(l.x1 - l.x2) < 1e-6) down.push_back(middle);
  }
  std::vector<std::pair<double, double>> crosses;
  for (const auto& h : across) {
    for (const auto& v : down) {
      if (std::hypot(h.first - v.first, h.second - v.second) < 0.01) crosses.push_back(h);
    }
  }
  return crosses;
}

bool HasCrossNear(const std::vector<std::pair<double, double>>& crosses, const Mark& mark) {
  return std::any_of(crosses.begin(), crosses.end(), [&](const auto& c) {
    return std::hypot(c.first - mark.xMm, c.second - mark.yMm) <= 0.1;
  });
}

// The mark's name, its top 0.5 mm below the cross's centre, starting 0.5 mm right of it or,
// at the page's right edge, ending 0.5 mm left of it.
bool HasNameBeside(const std::vector<Word>& words, const Mark& mark) {
  const double gap = kNameGap / 10.0;
  return std::any_of(words.begin(), words.end(), [&](const Word& w) {
    return w.text == QString::fromStdString(mark.name) &&
           std::fabs(w.yMm - (mark.yMm + gap)) <= 0.3 &&
           (std::fabs(w.xMm - (mark.xMm + gap)) <= 0.3 ||
            std::fabs(w.rightMm - (mark.xMm - gap)) <= 0.5);
  });
}

struct SheetCase {
  const char* form;
  const PrintLayout& (*layout)();
  bool depositSlip;
  int firstField;  // the form's first offset field in its window
};

void PrintTo(const SheetCase& c, std::ostream* out) { *out << c.form; }

class CalibrationSheetEndToEndTest : public EndToEndTest,
                                     public ::testing::WithParamInterface<SheetCase> {
 protected:
  ~CalibrationSheetEndToEndTest() override { delete window_; }

  void Open(bool depositSlip) {
    if (depositSlip) {
      window_ = new DepositSlipPositionWindow(programContext_, nullptr);
    } else {
      window_ = new PrintPositionWindow(programContext_, nullptr, CalibrationSheetForms());
    }
    window_->show();
  }
  void Type(const std::map<int, int>& boxes) {
    for (const auto& [field, value] : boxes)
      window_->FieldBox(field)->setText(QString::number(value));
  }
  // Prints the chosen form's sheet and takes its PDF out of the folder.
  QString PrintSheet(const char* form) {
    if (auto* choice = window_->findChild<QComboBox*>(QStringLiteral("测试表单组合框"))) {
      choice->setCurrentText(QString::fromUtf8(form));
    }
    window_->findChild<QPushButton*>(QStringLiteral("按钮4"))->click();
    const QString pdf = OnlyPdf(QString::fromStdString(CalibrationJobName(form)));
    const QString kept = dir_.filePath(QStringLiteral("sheet%1.pdf").arg(sheets_++));
    EXPECT_TRUE(QFile::rename(pdf, kept));
    return kept;
  }

  PositionWindow* window_ = nullptr;
  int sheets_ = 0;
};

TEST_P(CalibrationSheetEndToEndTest, EveryCrossStandsAtItsItemPlusTheTypedOffsets) {
  const SheetCase& c = GetParam();
  Open(c.depositSlip);
  // Every box of the window gets its own value, so that a cross moved by another form's
  // offsets, or by the wrong field, shows.
  std::map<int, int> boxes;
  const int fields = c.depositSlip ? kDepositSlipPositionFields : kPositionFields;
  for (int field = 1; field <= fields; ++field)
    boxes[field] = (field % 2 ? 1 : -1) * (11 * field + 3);
  Type(boxes);
  const QString pdf = PrintSheet(c.form);

  const auto crosses = Crosses(ReadLines(pdf));
  const std::vector<Mark> marks = Expected(c.layout(), boxes, c.firstField);
  EXPECT_EQ(crosses.size(), marks.size());
  for (const Mark& mark : marks) {
    EXPECT_TRUE(HasCrossNear(crosses, mark)) << mark.name << " at " << mark.xMm << ',' << mark.yMm;
  }
  EXPECT_TRUE(fakes_.messages.shown.empty());

  // The crosses come from the PDF's drawing operations; the names need pdftotext.
  TALLYRA_REQUIRE_PDFTOTEXT();
  const std::vector<Word> words = ReadWords(pdf);
  for (const Mark& mark : marks) {
    EXPECT_TRUE(HasNameBeside(words, mark))
        << c.form << ": no name " << mark.name << " beside its cross";
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, CalibrationSheetEndToEndTest,
                         ::testing::Values(SheetCase{"支票", &ChequeLayout, false, 1},
                                           SheetCase{"进帐单", &DepositSlipLayout, true, 1},
                                           SheetCase{"电汇凭证", &WireTransferLayout, false, 5},
                                           SheetCase{"现金交款单", &CashDepositLayout, false, 13},
                                           SheetCase{"收款凭证", &ReceiptVoucherLayout, false, 7},
                                           SheetCase{"付款凭证", &PaymentVoucherLayout, false, 9},
                                           SheetCase{"转帐凭证", &TransferVoucherLayout, false,
                                                     11}));

using DepositSlipSheetTest = CalibrationSheetEndToEndTest;

TEST_F(DepositSlipSheetTest, AnUnsavedDigitCellOffsetMovesOnlyThatColumnsCross) {
  StoreOffsets(DepositSlipOffsets(), std::vector<double>(34, 6.0));
  Open(true);
  const auto before = Crosses(ReadLines(PrintSheet("进帐单")));

  window_->FieldBox(24)->setText(QStringLiteral("25"));  // 编辑框20, the 十 of yuan
  const auto after = Crosses(ReadLines(PrintSheet("进帐单")));

  ASSERT_EQ(after.size(), before.size());
  // The 十 column: x 1060 + 50 × 7 plus its stored 6, then the typed 25; y 570 + 6.
  const std::pair<double, double> tenBefore{(1410 + 6) / 10.0, (570 + 6) / 10.0};
  const std::pair<double, double> tenAfter{(1410 + 25) / 10.0, (570 + 6) / 10.0};
  int moved = 0;
  for (std::size_t k = 0; k < before.size(); ++k) {
    if (std::hypot(before[k].first - after[k].first, before[k].second - after[k].second) < 1e-6) {
      continue;
    }
    ++moved;
    EXPECT_NEAR(before[k].first, tenBefore.first, 0.01);
    EXPECT_NEAR(before[k].second, tenBefore.second, 0.01);
    EXPECT_NEAR(after[k].first, tenAfter.first, 0.01);
    EXPECT_NEAR(after[k].second, tenAfter.second, 0.01);
  }
  EXPECT_EQ(moved, 1);

  RecordStore reader(store_->Location());
  const auto stored = ReadOffsets(reader, DepositSlipOffsets());
  ASSERT_TRUE(stored);
  EXPECT_EQ(*stored, std::vector<double>(34, 6.0)) << "the sheet never writes the table";
}

}  // namespace
}  // namespace tallyra
