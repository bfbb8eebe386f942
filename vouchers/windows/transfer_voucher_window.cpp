#include "vouchers/windows/transfer_voucher_window.h"

namespace tallyra {
namespace {

using K = ControlSpec::Kind;

std::vector<ControlSpec> TransferControls() {
  // clang-format off
  std::vector<ControlSpec> controls = {
      {K::kGroup,    "分组框4",   "",       QRect(8, 8, 850, 56)},
      {K::kLabel,    "透明标签2", "分组框4", QRect(278, 6, 294, 44), "   转  帐  凭  证   "},
      {K::kGroup,    "分组框2",   "",       QRect(8, 64, 850, 77)},
      {K::kDate,     "日期框2",   "分组框2", QRect(345, 43, 164, 20)},
      {K::kLabel,    "标签2",     "分组框2", QRect(622, 16, 64, 20), "出纳编号"},
      {K::kTextBox,  "编辑框1",   "分组框2", QRect(688, 16, 156, 20), "", 24},
      {K::kLabel,    "标签3",     "分组框2", QRect(622, 43, 64, 20), "制单编号"},
      {K::kTextBox,  "编辑框2",   "分组框2", QRect(688, 43, 156, 20), "", 24},
      {K::kGroup,    "分组框1",   "",       QRect(7, 141, 850, 305)},
      {K::kGroup,    "分组框7",   "分组框1", QRect(4, 7, 838, 66)},
      {K::kLabel,    "标签6",     "分组框7", QRect(4, 11, 153, 50), "对 方 单 位\n(或领款人)"},
      {K::kLabel,    "标签4",     "分组框7", QRect(159, 11, 151, 50), "摘      要"},
      {K::kLabel,    "标签5",     "分组框7", QRect(312, 11, 161, 24), "借       方"},
      {K::kLabel,    "标签7",     "分组框7", QRect(312, 37, 80, 24), "总 帐 科 目"},
      {K::kLabel,    "标签8",     "分组框7", QRect(393, 37, 80, 24), "明 细 科 目"},
      {K::kLabel,    "标签1",     "分组框7", QRect(475, 11, 163, 24), "贷       方"},
      {K::kLabel,    "标签13",    "分组框7", QRect(475, 37, 80, 24), "总 帐 科 目"},
      {K::kLabel,    "标签24",    "分组框7", QRect(557, 37, 80, 24), "明 细 科 目"},
      {K::kLabel,    "标签9",     "分组框7", QRect(640, 11, 158, 24), "金    额"},
      {K::kLabel,    "标签10",    "分组框7", QRect(800, 11, 32, 50), "记帐\n符号"},
      {K::kGroup,    "分组框10",  "分组框1", QRect(4, 72, 838, 46)},
      {K::kGroup,    "分组框5",   "分组框1", QRect(4, 117, 838, 46)},
      {K::kGroup,    "分组框11",  "分组框1", QRect(4, 162, 838, 46)},
      {K::kGroup,    "分组框9",   "分组框1", QRect(4, 207, 838, 46)},
      {K::kGroup,    "分组框12",  "分组框1", QRect(4, 252, 838, 46)},
      {K::kGroup,    "分组框13",  "",       QRect(8, 444, 850, 40)},
      {K::kLabel,    "标签12",    "分组框13", QRect(5, 10, 68, 20), "附凭证张数"},
      {K::kInteger,  "编辑框85",  "分组框13", QRect(75, 10, 36, 20), "", 4},
      {K::kLabel,    "标签11",    "分组框13", QRect(468, 11, 173, 24), "合  计  金  额"},
      {K::kGroup,    "分组框3",   "",       QRect(8, 483, 850, 73)},
      {K::kGroup,    "分组框6",   "分组框3", QRect(3, 7, 637, 38)},
      {K::kOperatorLine, "登录签", "分组框6", QRect(2, 11, 630, 20)},
      {K::kGroup,    "分组框8",   "分组框3", QRect(647, 7, 196, 38)},
      {K::kNewButton,     "按钮6",    "分组框8", QRect(4, 11, 62, 23)},
      {K::kPreviewButton, "按钮预览", "分组框8", QRect(66, 11, 62, 23)},
      {K::kPrintButton,   "按钮8",    "分组框8", QRect(129, 11, 62, 23)},
      {K::kStatusLine, "警告签",   "分组框3", QRect(3, 48, 841, 20)},
  };
  // clang-format on
  AddPlaceCaptions(controls, "分组框7", 640, 37);
  return controls;
}

// The four subject tables, each filling its column of boxes on lines 1 to 5.
std::vector<SubjectList> TransferLists() {
  const struct {
    const char* file;
    const char* field;
  } tables[] = {{"Zjzzkm.bsf", "总帐科目"},
                {"Zjmxkm.bsf", "明细科目"},
                {"Zdzzkm.bsf", "总帐科目"},
                {"Zdmxkm.bsf", "明细科目"}};
  std::vector<SubjectList> lists;
  for (std::size_t s = 0; s < 4; ++s) {
    SubjectList list{tables[s].file, tables[s].field, {}};
    for (int k = 0; k < kVoucherLines; ++k) {
      list.boxes.push_back(VoucherLine(VoucherKind::kTransfer, k).subjects[s]);
    }
    lists.push_back(std::move(list));
  }
  return lists;
}

VoucherWindowSpec TransferSpec() {
  return {
      .kind = VoucherKind::kTransfer,
      .title = "打印转帐凭证",
      .greeting = " 您正在使用转帐凭证管理，请注意本行的提示信息！",
      .size = QSize(871, 593),
      .controls = TransferControls(),
      .lines = {.groups = {"分组框10", "分组框5", "分组框11", "分组框9", "分组框12"},
                .counterparty = QRect(3, 11, 153, 30),
                .summary = QRect(159, 11, 153, 30),
                .subjects = {QRect(314, 11, 80, 20), QRect(395, 11, 80, 20), QRect(477, 11, 80, 20),
                             QRect(558, 11, 80, 20)},
                .summaryBytes = 56,
                .subjectBytes = 28,
                .firstCellX = 640,
                .cellY = 11,
                .leftMarkX = 804,
                .rightMarkX = 820},
      .totals = {.group = "分组框13",
                 .firstCellX = 644,
                 .cellY = 11,
                 .leftMarkX = 808,
                 .rightMarkX = 824,
                 .entry = CellEntry::kReadOnly},
      .lists = TransferLists(),
      .defaultHeaderSubject = nullptr,
      .firstField = "日期框2",
      .tabBeforeLines = {"日期框2", "编辑框1", "编辑框2"},
      .offsets = OffsetPair::kTransferVoucher,
  };
}

}  // namespace

TransferVoucherWindow::TransferVoucherWindow(AppContext& context, QWidget* owner)
    : VoucherWindow(context, owner, TransferSpec()) {
  setObjectName(QStringLiteral("TransferVoucherWindow"));
}

}  // namespace tallyra
