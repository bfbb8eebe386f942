#include "forms/wire_transfer_layout.h"

#include "forms/bank_digits.h"

namespace tallyra {
namespace {

// The eleven amount cells 亿 … 分 (编辑框4 … 编辑框14): the paper's cells are not evenly
// spaced.
std::vector<DigitColumn> AmountColumns() {
  return BankDigitColumns({1110, 1160, 1220, 1270, 1320, 1370, 1430, 1480, 1530, 1590, 1640});
}

PrintLayout MakeWireTransferLayout() {
  using P = Preparation;
  const PrintFont small = SongFont(8);
  const PrintFont song = SongFont(10);
  // clang-format off
  return PrintLayout{"电汇凭证打印", {2660, 1660, PaperOrientation::kPortrait}, {
      TextItem(small,       700,  200, "日期框1").Prepared(P::kYearFigures).Named("年"),
      TextItem(small,       880,  200, "日期框1").Prepared(P::kMonthFigures).Named("月"),
      TextItem(small,       950,  200, "日期框1").Prepared(P::kDayFigures).Named("日"),
      TextItem(small,       300,  260, "汇全称组合框2").BrokenAfter(32).Named("汇款人全称"),
      TextItem(small,       1100, 260, "收全称编辑框2").BrokenAfter(32).Named("收款人全称"),
      TextItem(song,        300,  330, "汇账号组合框3").Italic().Prepared(P::kAccountOf).Named("汇款人账号"),
      TextItem(song,        1100, 330, "收账号编辑框3").Italic().Prepared(P::kAccountOf).Named("收款人账号"),
      TextItem(song,        300,  390, "汇省组合框1").Named("汇出省"),
      // The county, or the city when no county was given.
      TextItem(song,        520,  390, "汇市县组合框2").Or("汇市组合框1").Named("汇出市县"),
      TextItem(song,        1100, 390, "收省组合框3").Named("汇入省"),
      TextItem(song,        1350, 390, "收市县组合框4").Or("收市组合框3").Named("汇入市县"),
      TextItem(song,        300,  460, "汇开户行组合框4").Named("汇出行"),
      TextItem(song,        1100, 460, "收开户行编辑框4").Named("汇入行"),
      TextItem(KaiFont(11), 200,  550, "大写编辑框2").Named("大写金额"),
      DigitRowItem(song,          560, AmountColumns()).Italic(),
      TextItem(song,        1100, 610, "密码编辑框3").Named("密码"),
      TextItem(song,        1050, 690, "附加编辑框4").BrokenAfter(32).Named("附加信息"),
  }};
  // clang-format on
}

}  // namespace

const PrintLayout& WireTransferLayout() {
  static const PrintLayout layout = MakeWireTransferLayout();
  return layout;
}

}  // namespace tallyra
