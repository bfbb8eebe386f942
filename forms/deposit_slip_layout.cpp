#include "forms/deposit_slip_layout.h"

#include <string>

#include "forms/bank_digits.h"

namespace tallyra {
namespace {

// The offset of offset field f.
std::size_t Field(std::size_t f) { return f - 1; }
// The offsets of offset fields fx (left/right) and fy (up/down).
OffsetRef F(std::size_t fx, std::size_t fy) { return {Field(fx), Field(fy)}; }

// The eleven digit columns 亿 … 分 at x 1060, 1110, … 1560, each moved by its own field
// f17 … f27.
std::vector<DigitColumn> DigitColumns() {
  std::vector<DigitColumn> columns = BankDigitColumns(1060, 50);
  for (std::size_t k = 0; k < columns.size(); ++k) columns[k].xOffset = Field(17 + k);
  return columns;
}

PrintLayout MakeDepositSlipLayout() {
  using P = Preparation;
  const PrintFont song = SongFont(10);
  const PrintFont kai = KaiFont(11);
  // clang-format off
  return PrintLayout{"进帐单打印", {2660, 1660, PaperOrientation::kPortrait}, {
      TextItem(song,        500,  220, "日期框1").Prepared(P::kYearFigures).MovedBy(F(2, 1)).Named("年"),
      TextItem(song,        700,  220, "日期框1").Prepared(P::kMonthFigures).MovedBy(F(3, 1)).Named("月"),
      TextItem(song,        850,  220, "日期框1").Prepared(P::kDayFigures).MovedBy(F(4, 1)).Named("日"),
      TextItem(SongFont(8), 260,  280, "出全称组合框2").BrokenAfter(32).MovedBy(F(6, 5)).Named("出票人全称"),
      TextItem(SongFont(8), 1060, 280, "收全称编辑框2").BrokenAfter(32).MovedBy(F(7, 5)).Named("收款人全称"),
      TextItem(song,        260,  360, "出账号组合框3").Italic().Prepared(P::kAccountOf).MovedBy(F(9, 8)).Named("出票人账号"),
      TextItem(song,        1060, 360, "收账号编辑框3").Italic().Prepared(P::kAccountOf).MovedBy(F(10, 8)).Named("收款人账号"),
      TextItem(song,        260,  440, "出开户行组合框4").MovedBy(F(12, 11)).Named("出票人开户行"),
      TextItem(song,        1060, 440, "收开户行编辑框4").MovedBy(F(13, 11)).Named("收款人开户行"),
      TextItem(kai,         240,  540, "大写编辑框2").MovedBy(F(16, 14)).Named("大写金额"),
      // Only its vertical offset is the row's: each column moves by its own field.
      DigitRowItem(song,          570, DigitColumns()).Italic().MovedBy(F(1, 15)),
      TextItem(song,        260,  630, "种类组合框5").MovedBy(F(29, 28)).Named("票据种类"),
      TextItem(song,        700,  630, "张数编辑框3").MovedBy(F(30, 28)).Named("票据张数"),
      TextItem(kai,         820,  630, "用途编辑框1").BrokenAfter(38).MovedBy(F(34, 32)).Named("备注"),
      TextItem(song,        260,  690, "号码编辑框4").MovedBy(F(33, 31)).Named("票据号码"),
  }};
  // clang-format on
}

}  // namespace

const PrintLayout& DepositSlipLayout() {
  static const PrintLayout layout = MakeDepositSlipLayout();
  return layout;
}

}  // namespace tallyra
