#include "forms/cheque_layout.h"

#include "forms/bank_digits.h"

namespace tallyra {
namespace {

PrintLayout MakeChequeLayout() {
  using P = Preparation;
  const PrintFont song = SongFont(10);
  // The eleven amount cells 亿 … 分 (编辑框4 … 编辑框14) at x 1570, 1610, … 1970.
  const auto digits = BankDigitColumns(1570, 40);
  // clang-format off
  return PrintLayout{"支票打印", {2660, 1660, PaperOrientation::kPortrait}, {
      // The face.
      TextItem(song,         800,  150, "编辑框1").Named("大写年"),
      TextItem(song,         1000, 150, "编辑框2").Named("大写月"),
      TextItem(song,         1150, 150, "编辑框3").Named("大写日"),
      TextItem(song,         650,  190, "收款编辑框1").Named("收款人"),
      TextItem(song,         1570, 200, "账号编辑框1").Italic().Prepared(P::kAccountOf).Named("出票人账号"),
      TextItem(KaiFont(11),  670,  280, "大写编辑框2").Named("大写金额"),
      DigitRowItem(song,           300, digits).Italic(),
      // The stub's additional information, then the rest of the face.
      TextItem(song,         0,    320, "附加编辑框2").BrokenAfter(24).Named("附加信息"),
      TextItem(song,         610,  370, "用途编辑框1").Named("用途"),
      TextItem(song,         1470, 370, "密码编辑框1").Named("密码"),
      // The stub.
      TextItem(song,         120,  430, "日期框1").Prepared(P::kYearFigures).Named("存根年"),
      TextItem(song,         250,  430, "日期框1").Prepared(P::kMonthFigures).Named("月"),
      TextItem(song,         330,  430, "日期框1").Prepared(P::kDayFigures).Named("日"),
      TextItem(song,         100,  490, "收款编辑框3").BrokenAfter(18).Named("存根收款人"),
      TextItem(song,         100,  590, "小写编辑框5").Italic().Prepared(P::kFormatAmount).Named("存根金额"),
      TextItem(song,         100,  640, "用途编辑框4").Named("存根用途"),
  }};
  // clang-format on
}

}  // namespace

const PrintLayout& ChequeLayout() {
  static const PrintLayout layout = MakeChequeLayout();
  return layout;
}

}  // namespace tallyra
