#include "forms/windows/deposit_slip_position_window.h"

#include "forms/bank_digits.h"
#include "forms/deposit_slip_layout.h"

namespace tallyra {
namespace {

// The digit cells 亿 … 分 are fields 17 … 27 in boxes 编辑框27 … 编辑框17, under their places.
std::vector<PositionBoxSpec> DigitCellBoxes() {
  // The boxes keep pointers to their texts.
  static const std::vector<std::string> places = PlaceNames(kBankDigitCells);
  static const std::vector<std::string> names = NumberedNames("编辑框", 27, kBankDigitCells, -1);
  std::vector<PositionBoxSpec> boxes;
  for (int k = 0; k < kBankDigitCells; ++k) {
    const auto at = static_cast<std::size_t>(k);
    boxes.push_back({17 + k, names[at].c_str(), places[at].c_str(), true});
  }
  return boxes;
}

PositionWindowSpec DepositSlipPositionSpec() {
  PositionWindowSpec desc;
  desc.objectName = "DepositSlipPositionWindow";
  desc.title = "调整进帐单打印位置";
  desc.size = {842, 457};
  desc.table = DepositSlipOffsets();
  std::vector<PositionBoxSpec> amountX = {{16, "编辑框16", "大写 "}};
  for (const PositionBoxSpec& box : DigitCellBoxes()) amountX.push_back(box);
  // clang-format off
  desc.groups = {
      {"分组框1", "第1行", 0, 0, false, {
          {"分组框4", "年月日上下", {{1, "编辑框1", "年月日"}}},
          {"分组框3", "年月日左右", {{2, "编辑框2", "年"}, {3, "编辑框3", "月"}, {4, "编辑框4", "日"}}}}},
      {"分组框5", "第2行", 0, 1, false, {
          {"分组框6", "出收票全称上下", {{5, "编辑框5", "出收票全称 "}}},
          {"分组框7", "出收票全称左右 ", {{6, "编辑框6", "出票人全称"}, {7, "编辑框7", "收款人全称"}}}}},
      {"分组框8", "第3行", 1, 0, false, {
          {"分组框9", "出收票账号上下", {{8, "编辑框8", "出收票账号"}}},
          {"分组框10", "出收票账号左右", {{9, "编辑框9", "出票人账号 "}, {10, "编辑框10", "收款人账号 "}}}}},
      {"分组框11", "第4行", 1, 1, false, {
          {"分组框12", "出收票开户行上下", {{11, "编辑框11", "出收票开户行"}}},
          {"分组框13", "出收票开户行左右", {{12, "编辑框12", "出票人开户行 "}, {13, "编辑框13", "收款人开户行 "}}}}},
      // The amount's line runs the whole width, under the notes.
      {"分组框14", "第5行要", 3, 0, false, {
          {"分组框15", "大小写金额上下", {{14, "编辑框14", "大写"}, {15, "编辑框15", "小写"}}},
          {"分组框16", "大小写金额左右", amountX}}, 3},
      {"分组框19", "第6行", 2, 0, false, {
          {"分组框20", "票据上下", {{28, "编辑框28", "票据种类与张数"}}},
          {"分组框21", "票据左右", {{29, "编辑框29", "票据种类"}, {30, "编辑框30", "票据张数"}}}}},
      {"分组框22", "第7行或第8行", 2, 1, false, {
          {"分组框23", "号码与备注上下", {{31, "编辑框31", "票据号码"}, {32, "编辑框32", "备  注"}}},
          {"分组框24", "号码与备注左右", {{33, "编辑框33", "票据号码"}, {34, "编辑框34", "备  注"}}}}},
  };
  // clang-format on
  desc.notesPanel = "分组框2";
  desc.notesBox = "编辑框35";
  // 1 … 13, the bills and remark lines 28 … 34, the amount 14 … 16, then the digit cells.
  for (int field = 1; field <= 13; ++field) desc.tabOrder.push_back(field);
  for (int field = 28; field <= 34; ++field) desc.tabOrder.push_back(field);
  for (int field = 14; field <= 27; ++field) desc.tabOrder.push_back(field);
  desc.escCloses = false;
  desc.sheetForms = {{"进帐单", &DepositSlipLayout, DepositSlipOffsets()}};
  return desc;
}

}  // namespace

DepositSlipPositionWindow::DepositSlipPositionWindow(AppContext& context, QWidget* owner)
    : PositionWindow(context, owner, DepositSlipPositionSpec()) {}

}  // namespace tallyra
