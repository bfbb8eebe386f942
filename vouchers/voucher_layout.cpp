#include "vouchers/voucher_layout.h"

#include <array>

namespace tallyra {
namespace {

// The x of the amount columns 千万 … 分, of the left and right posting marks.
constexpr std::array<int, kVoucherAmountCells> kCellX = {1950, 1990, 2040, 2080, 2120,
                                                         2160, 2200, 2240, 2280, 2330};
constexpr int kLeftMarkX = 2370;
constexpr int kLineRightMarkX = 2420;
constexpr const char* kAttachments = "编辑框85";

struct LineControls {
  int counterparty, summary, firstCell, leftMark, rightMark;
};
constexpr std::array<LineControls, kVoucherLines> kLineControls = {{
    {3, 14, 4, 16, 15},
    {30, 29, 19, 18, 17},
    {58, 57, 47, 46, 45},
    {44, 43, 33, 32, 31},
    {72, 71, 61, 60, 59},
}};
// Receipt and payment: general and detail subject boxes of lines 1 to 5.
constexpr std::array<std::array<int, 2>, kVoucherLines> kSubjectBoxes = {
    {{2, 3}, {5, 4}, {9, 8}, {7, 6}, {11, 10}}};

std::string Edit(int n) { return "编辑框" + std::to_string(n); }
std::string Combo(int n) { return "组合框" + std::to_string(n); }

// Every item without a font of its own prints in the 宋体 8 the header set.

// The line's ten amount cells, one character each, italic switched on before them, and
// its posting marks; the right mark switches italic off when `italicEnds`.
void AddAmounts(std::vector<LayoutItem>& items, const VoucherLineNames& line, int y,
                bool italicEnds) {
  const std::vector<std::string> places = PlaceNames(kVoucherAmountCells);
  for (std::size_t j = 0; j < kVoucherAmountCells; ++j) {
    LayoutItem cell = TextItem(kCellX[j], y, line.cells[j]).Named(places[j]);
    items.push_back(j == 0 ? cell.ItalicFrom() : cell);
  }
  items.push_back(TextItem(kLeftMarkX, y, line.leftMark).Named("记1"));
  const LayoutItem right = TextItem(kLineRightMarkX, y, line.rightMark).Named("记2");
  items.push_back(italicEnds ? right.ItalicUntil() : right);
}

std::vector<DigitColumn> TotalColumns() {
  std::vector<DigitColumn> columns;
  const std::vector<std::string> names = VoucherTotalCells();
  for (std::size_t j = 0; j < names.size(); ++j) columns.push_back({names[j], kCellX[j], 0});
  return columns;
}

// The receipt and payment vouchers; they differ in the first item's font and the names.
PrintLayout ReceiptOrPayment(VoucherKind kind) {
  const bool receipt = kind == VoucherKind::kReceipt;
  // The receipt's cashier number is printed in 宋体 7.5, the others' in the platform's face.
  const PrintFont cashierFont = receipt ? SongFont(7.5) : SystemFont(8);
  std::vector<LayoutItem> items = {
      TextItem(cashierFont, 2230, 400, "编辑框1").Named("出纳编号"),
      TextItem(SongFont(8), 490, 500, "组合框1").Named(receipt ? "借方科目" : "贷方科目"),
      TextItem(1100, 500, "日期框2").Prepared(Preparation::kYearFigures).Named("年"),
      TextItem(1280, 500, "日期框2").Prepared(Preparation::kMonthFigures).Named("月"),
      TextItem(1450, 500, "日期框2").Prepared(Preparation::kDayFigures).Named("日"),
      TextItem(2230, 500, "编辑框2").Named("制单编号"),
  };
  for (int k = 0; k < kVoucherLines; ++k) {
    const VoucherLineNames line = VoucherLine(kind, k);
    const int y = 710 + 80 * k;
    const std::string row = std::to_string(k + 1) + "行";
    items.push_back(TextItem(260, y, line.counterparty).BrokenAfter(22).Named(row + "对方单位"));
    items.push_back(TextItem(630, y, line.summary).BrokenAfter(44).Named(row + "摘要"));
    items.push_back(TextItem(1340, y, line.subjects[0]).BrokenAfter(16).Named(row + "总帐科目"));
    items.push_back(TextItem(1650, y, line.subjects[1]).BrokenAfter(16).Named(row + "明细科目"));
    // Line 2 is followed by the attachment count, still italic; line 5 by the totals.
    AddAmounts(items, line, y, k != 1 && k != 4);
    if (k == 1) items.push_back(TextItem(2470, 870, kAttachments).ItalicUntil().Named("附件张数"));
  }
  items.push_back(DigitRowItem(1110, TotalColumns()));
  items.push_back(TextItem(kLeftMarkX, 1110, "编辑框74").Named("记1"));
  items.push_back(TextItem(2410, 1110, "编辑框73").ItalicUntil().Named("记2"));
  return {receipt ? "收款凭证打印" : "付款凭证打印",
          {1250, 2660, PaperOrientation::kLandscape},
          std::move(items)};
}

PrintLayout MakeTransferLayout() {
  using P = Preparation;
  std::vector<LayoutItem> items = {
      TextItem(SystemFont(8), 2230, 400, "编辑框1").Named("出纳编号"),
      TextItem(SongFont(8), 1100, 500, "日期框2").Prepared(P::kYearFigures).Named("年"),
      TextItem(1280, 500, "日期框2").Prepared(P::kMonthFigures).Named("月"),
      TextItem(1450, 500, "日期框2").Prepared(P::kDayFigures).Named("日"),
      TextItem(2240, 500, "编辑框2").Named("制单编号"),
  };
  constexpr std::array<int, kVoucherLines> kLineY = {730, 810, 880, 960, 1040};
  constexpr std::array<int, 4> kSubjectX = {1040, 1270, 1500, 1730};
  constexpr std::array<const char*, 4> kSubjectNames = {"借方总帐", "借方明细", "贷方总帐",
                                                        "贷方明细"};
  for (int k = 0; k < kVoucherLines; ++k) {
    const VoucherLineNames line = VoucherLine(VoucherKind::kTransfer, k);
    const int y = kLineY[static_cast<std::size_t>(k)];
    const std::string row = std::to_string(k + 1) + "行";
    items.push_back(TextItem(250, y, line.counterparty).BrokenAfter(22).Named(row + "对方单位"));
    items.push_back(TextItem(590, y, line.summary).BrokenAfter(28).Named(row + "摘要"));
    for (std::size_t s = 0; s < kSubjectX.size(); ++s) {
      items.push_back(TextItem(kSubjectX[s], y, line.subjects[s])
                          .BrokenAfter(14)
                          .Named(row + kSubjectNames[s]));
    }
    AddAmounts(items, line, y, true);
    if (k == 1) items.push_back(TextItem(2470, 890, kAttachments).Named("附件张数"));
  }
  items.push_back(CaptionItem(250, 1120, "      合    计    ").Named("合计"));
  items.push_back(DigitRowItem(1120, TotalColumns()).ItalicFrom());
  items.push_back(TextItem(kLeftMarkX, 1120, "编辑框74").Named("记1"));
  items.push_back(TextItem(kLineRightMarkX, 1120, "编辑框73").ItalicUntil().Named("记2"));
  return {"转帐凭证打印", {1250, 2660, PaperOrientation::kLandscape}, std::move(items)};
}

}  // namespace

VoucherLineNames VoucherLine(VoucherKind kind, int k) {
  const LineControls& c = kLineControls.at(static_cast<std::size_t>(k));
  VoucherLineNames line;
  line.counterparty = Edit(c.counterparty);
  line.summary = Edit(c.summary);
  if (kind == VoucherKind::kTransfer) {
    for (int s = 1; s <= 4; ++s) line.subjects.push_back(Combo(4 * k + s));
  } else {
    for (int box : kSubjectBoxes.at(static_cast<std::size_t>(k))) {
      line.subjects.push_back(Combo(box));
    }
  }
  line.cells = NumberedNames("编辑框", c.firstCell, kVoucherAmountCells);
  line.leftMark = Edit(c.leftMark);
  line.rightMark = Edit(c.rightMark);
  return line;
}

std::vector<std::string> VoucherTotalCells() {
  return NumberedNames("编辑框", 75, kVoucherAmountCells);
}

const PrintLayout& ReceiptVoucherLayout() {
  static const PrintLayout layout = ReceiptOrPayment(VoucherKind::kReceipt);
  return layout;
}

const PrintLayout& PaymentVoucherLayout() {
  static const PrintLayout layout = ReceiptOrPayment(VoucherKind::kPayment);
  return layout;
}

const PrintLayout& TransferVoucherLayout() {
  static const PrintLayout layout = MakeTransferLayout();
  return layout;
}

}  // namespace tallyra
