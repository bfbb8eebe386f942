#include "forms/cheque_layout.h"

#include <string>

namespace tallyra {

namespace {

PrintFont Song(double points) { return {"宋体", points}; }
PrintFont Kai(double points) { return {"楷体_GB2312", points}; }

// The eleven amount cells 亿 … 分 at x 1570, 1610, … 1970.
std::vector<DigitColumn> ChequeDigitRow() {
  std::vector<DigitColumn> columns;
  for (int k = 0; k < 11; ++k)
    columns.push_back({"编辑框" + std::to_string(4 + k), 1570 + 40 * k, 0});
  return columns;
}

PrintLayout MakeChequeLayout() {
  using P = Preparation;
  return PrintLayout{.jobName = "支票打印",
                     .paper = {2660, 1660, PaperOrientation::kPortrait},
                     .items = {
                         // The face.
                         {.font = Song(10), .x = 800, .y = 150, .source = "编辑框1"},
                         {.font = Song(10), .x = 1000, .y = 150, .source = "编辑框2"},
                         {.font = Song(10), .x = 1150, .y = 150, .source = "编辑框3"},
                         {.font = Song(10), .x = 650, .y = 190, .source = "收款编辑框1"},
                         {.font = Song(10),
                          .italic = true,
                          .x = 1570,
                          .y = 200,
                          .source = "账号编辑框1",
                          .preparation = P::kAccountOf},
                         {.font = Kai(11), .x = 670, .y = 280, .source = "大写编辑框2"},
                         {.font = Song(10), .italic = true, .y = 300, .digitRow = ChequeDigitRow()},
                         // The stub's additional information, then the rest of the face.
                         {.font = Song(10),
                          .x = 0,
                          .y = 320,
                          .source = "附加编辑框2",
                          .preparation = P::kBreakAfter,
                          .breakBytes = 24},
                         {.font = Song(10), .x = 610, .y = 370, .source = "用途编辑框1"},
                         {.font = Song(10), .x = 1470, .y = 370, .source = "密码编辑框1"},
                         // The stub.
                         {.font = Song(10),
                          .x = 120,
                          .y = 430,
                          .source = "日期框1",
                          .preparation = P::kYearFigures},
                         {.font = Song(10),
                          .x = 250,
                          .y = 430,
                          .source = "日期框1",
                          .preparation = P::kMonthFigures},
                         {.font = Song(10),
                          .x = 330,
                          .y = 430,
                          .source = "日期框1",
                          .preparation = P::kDayFigures},
                         {.font = Song(10),
                          .x = 100,
                          .y = 490,
                          .source = "收款编辑框3",
                          .preparation = P::kBreakAfter,
                          .breakBytes = 18},
                         {.font = Song(10),
                          .italic = true,
                          .x = 100,
                          .y = 590,
                          .source = "小写编辑框5",
                          .preparation = P::kFormatAmount},
                         {.font = Song(10), .x = 100, .y = 640, .source = "用途编辑框4"},
                     }};
}

}  // namespace

const PrintLayout& ChequeLayout() {
  static const PrintLayout layout = MakeChequeLayout();
  return layout;
}

}  // namespace tallyra
