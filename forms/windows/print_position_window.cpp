#include "forms/windows/print_position_window.h"

#include <utility>

namespace tallyra {
namespace {

// A form's group: its x box in the inner group numbered two after it, its y box in the
// one after it. Fields 1 … 12 show in 编辑框1 … 12, the cash slip's pair in 编辑框14 and
// 编辑框15 (编辑框13 is the notes).
PositionGroupSpec FormGroup(const char* name, const char* caption, int row, int column, int xField,
                            const char* xBox, const char* xGroup, const char* yBox,
                            const char* yGroup, bool hidden = false) {
  return {
      name,
      caption,
      row,
      column,
      hidden,
      {{xGroup, "调整左右位置", {{xField, xBox}}}, {yGroup, "调整上下位置", {{xField + 1, yBox}}}}};
}

PositionWindowSpec PrintPositionSpec(std::vector<SheetFormSpec> sheetForms) {
  PositionWindowSpec desc;
  desc.objectName = "PrintPositionWindow";
  desc.title = "调整打印位置";
  desc.size = {689, 320};
  desc.table = {kPositionTable, kPositionTablePassword, 1, kPositionFields};
  // clang-format off
  desc.groups = {
      FormGroup("分组框20", "调整现金交款打印位置 ", 0, 0, 13, "编辑框14", "分组框22", "编辑框15", "分组框21"),
      FormGroup("分组框1",  "调整支票打印位置 ",     0, 1, 1,  "编辑框1",  "分组框2",  "编辑框2",  "分组框3"),
      FormGroup("分组框7",  "调整电汇凭证打印位置 ", 1, 0, 5,  "编辑框5",  "分组框9",  "编辑框6",  "分组框8"),
      FormGroup("分组框10", "调整收款凭证打印位置 ", 1, 1, 7,  "编辑框7",  "分组框12", "编辑框8",  "分组框11"),
      FormGroup("分组框13", "调整付款凭证打印位置 ", 2, 0, 9,  "编辑框9",  "分组框15", "编辑框10", "分组框14"),
      FormGroup("分组框16", "调整转帐凭证打印位置 ", 2, 1, 11, "编辑框11", "分组框18", "编辑框12", "分组框17"),
      // The deposit slip has its own window; its pair is kept here only to be written back.
      FormGroup("分组框4",  "调整进帐单（有单独调整模块） ", 0, 0, 3, "编辑框3", "分组框6", "编辑框4", "分组框5", true),
  };
  // clang-format on
  desc.notesPanel = "分组框19";
  desc.notesBox = "编辑框13";
  for (int field = 1; field <= kPositionFields; ++field) desc.tabOrder.push_back(field);
  desc.sheetForms = std::move(sheetForms);
  return desc;
}

}  // namespace

PrintPositionWindow::PrintPositionWindow(AppContext& context, QWidget* owner,
                                         std::vector<SheetFormSpec> sheetForms)
    : PositionWindow(context, owner, PrintPositionSpec(std::move(sheetForms))) {}

}  // namespace tallyra
