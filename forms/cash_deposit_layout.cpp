#include "forms/cash_deposit_layout.h"

namespace tallyra {
namespace {

// One line of the denomination table: count and amount of a left-half note, then count
// and amount of a right-half one, in one font set before the first of them.
void AddDenominationLine(std::vector<LayoutItem>& items, int y, int leftCount, int rightCount,
                         const std::string& left, const std::string& right) {
  const auto box = [](int k) { return "编辑框" + std::to_string(k); };
  const PrintFont song = SongFont(9);
  items.push_back(TextItem(song, 380, y, box(leftCount)).Named(left + "张数"));
  items.push_back(TextItem(500, y, box(leftCount + 8)).Named(left + "金额"));
  items.push_back(TextItem(900, y, box(rightCount)).Named(right + "张数"));
  items.push_back(TextItem(1000, y, box(rightCount + 8)).Named(right + "金额"));
}

PrintLayout MakeCashDepositLayout() {
  using P = Preparation;
  const PrintFont song = SongFont(9);
  // The ten total cells 千万 … 分 are 编辑框10 down to 编辑框1.
  const auto cells = EvenColumns(NumberedNames("编辑框", 10, 10, -1), 1080, 60);
  // clang-format off
  PrintLayout layout{"现金交款单打印", {2660, 1660, PaperOrientation::kPortrait}, {
      TextItem(song,        750,  250, "日期框1").Prepared(P::kYearFigures).Named("年"),
      TextItem(song,        870,  250, "日期框1").Prepared(P::kMonthFigures).Named("月"),
      TextItem(song,        970,  250, "日期框1").Prepared(P::kDayFigures).Named("日"),
      TextItem(song,        380,  340, "收单位组合框1").Named("收款单位"),
      TextItem(song,        1150, 340, "收账号组合框2").Prepared(P::kAccountOf).Named("收款账号"),
      TextItem(song,        380,  410, "开户行组合框3").Named("开户行"),
      TextItem(song,        940,  410, "来源组合框1").Named("款项来源"),
      TextItem(song,        1320, 410, "交单位组合框4").Named("交款单位"),
      TextItem(KaiFont(12), 380,  500, "大写编辑框1").Named("大写金额"),
      DigitRowItem(song,          530, cells).Italic(),
  }};
  // clang-format on
  // 100元 and 5元, 50元 and 2元, 20元 and 1元, 10元 and the coins.
  AddDenominationLine(layout.items, 660, 11, 15, "100元", "5元");
  AddDenominationLine(layout.items, 730, 12, 16, "50元", "2元");
  AddDenominationLine(layout.items, 800, 13, 17, "20元", "1元");
  AddDenominationLine(layout.items, 870, 14, 18, "10元", "辅币");
  return layout;
}

}  // namespace

const PrintLayout& CashDepositLayout() {
  static const PrintLayout layout = MakeCashDepositLayout();
  return layout;
}

}  // namespace tallyra
