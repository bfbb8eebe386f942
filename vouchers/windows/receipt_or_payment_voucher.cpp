#include "vouchers/windows/receipt_or_payment_voucher.h"

namespace tallyra {
namespace {

using K = ControlSpec::Kind;

}  // namespace

VoucherWindowSpec ReceiptOrPaymentSpec(VoucherKind kind) {
  const bool payment = kind == VoucherKind::kPayment;
  // clang-format off
  std::vector<ControlSpec> controls = {
      {K::kGroup,    "分组框4",   "",       QRect(8, payment ? 8 : 3, 705, 56)},
      {K::kLabel,    "透明标签2", "分组框4", QRect(205, 6, 294, 44),
       payment ? "   付  款  凭  证   " : "   收  款  凭  证   "},
      {K::kGroup,    "分组框2",   "",       QRect(8, payment ? 64 : 59, 705, 77)},
      {K::kLabel,    "标签1",     "分组框2", QRect(5, 43, 64, 20), payment ? "贷方科目" : "借方科目"},
      {K::kComboBox, "组合框1",   "分组框2", QRect(71, 43, payment ? 240 : 242, 20), "", 40},
      {K::kDate,     "日期框2",   "分组框2", payment ? QRect(313, 44, 163, 20) : QRect(314, 43, 162, 20)},
      {K::kLabel,    "标签2",     "分组框2", QRect(477, 16, 64, 20), "出纳编号"},
      {K::kTextBox,  "编辑框1",   "分组框2", QRect(543, 16, 156, 20), "", 24},
      {K::kLabel,    "标签3",     "分组框2", QRect(477, 43, 64, 20), "制单编号"},
      {K::kTextBox,  "编辑框2",   "分组框2", QRect(543, 43, 156, 20), "", 24},
      {K::kGroup,    "分组框1",   "",       payment ? QRect(8, 145, 705, 311) : QRect(8, 136, 705, 304)},
      {K::kGroup,    "分组框7",   "分组框1", QRect(4, 7, 695, 66)},
      {K::kLabel,    "标签6",     "分组框7", QRect(5, 11, 153, 50), "对 方 单 位\n(或领款人)"},
      {K::kLabel,    "标签4",     "分组框7", QRect(161, 11, 153, 50), "摘      要"},
      {K::kLabel,    "标签5",     "分组框7", QRect(317, 11, 173, 24),
       payment ? "借  方  科  目" : "贷  方  科  目"},
      {K::kLabel,    "标签7",     "分组框7", QRect(317, 37, 85, 24), "总 帐 科 目"},
      {K::kLabel,    "标签8",     "分组框7", QRect(405, 37, 85, 24), "明 细 科 目"},
      {K::kLabel,    "标签9",     "分组框7", QRect(493, 11, 158, 24), "金    额"},
      {K::kLabel,    "标签10",    "分组框7", payment ? QRect(653, 11, 37, 50) : QRect(656, 11, 32, 50),
       "记帐\n符号"},
      {K::kGroup,    "分组框10",  "分组框1", QRect(4, 72, 695, 46)},
      {K::kGroup,    "分组框5",   "分组框1", QRect(4, 117, 695, 46)},
      {K::kGroup,    "分组框11",  "分组框1", QRect(4, 162, 695, 46)},
      {K::kGroup,    "分组框9",   "分组框1", QRect(4, 207, 695, 46)},
      {K::kGroup,    "分组框12",  "分组框1", QRect(4, payment ? 254 : 252, 695, 46)},
      {K::kGroup,    "分组框13",  "",       QRect(8, payment ? 453 : 440, 706, 40)},
      {K::kLabel,    "标签12",    "分组框13", QRect(5, 10, 68, 20), "附凭证张数"},
      {K::kInteger,  "编辑框85",  "分组框13", QRect(75, 10, 36, 20), "", 4},
      {K::kLabel,    "标签11",    "分组框13", QRect(321, 11, 173, 24), "合  计  金  额"},
      {K::kGroup,    "分组框3",   "",       QRect(8, payment ? 492 : 480, 706, 73)},
      {K::kGroup,    "分组框6",   "分组框3", QRect(3, 7, 494, 38)},
      {K::kOperatorLine, "登录签", "分组框6", QRect(2, 11, 488, 20)},
      {K::kGroup,    "分组框8",   "分组框3", QRect(502, 7, 196, 38)},
      {K::kNewButton,     "按钮6",    "分组框8", QRect(4, 11, 62, 23)},
      {K::kPreviewButton, "按钮预览", "分组框8", QRect(66, 11, 62, 23)},
      {K::kPrintButton,   "按钮8",    "分组框8", QRect(129, 11, 62, 23)},
      {K::kStatusLine, "警告签",   "分组框3", QRect(3, 48, 694, 20)},
  };
  // clang-format on
  AddPlaceCaptions(controls, "分组框7", 493, 37);

  VoucherWindowSpec desc{
      .kind = kind,
      .title = payment ? "付款凭证管理" : "打印收款凭证",
      .greeting = payment ? " 您正在使用付款凭证管理，请注意本行的提示信息！"
                          : " 您正在使用收款凭证管理，请注意本行的提示信息！",
      .size = payment ? QSize(727, 601) : QSize(727, 588),
      .controls = std::move(controls),
      .lines = {.groups = {"分组框10", "分组框5", "分组框11", "分组框9", "分组框12"},
                .counterparty = QRect(4, 11, 153, 30),
                .summary = QRect(162, 11, 153, 30),
                .subjects = {QRect(318, 10, 85, 20), QRect(405, 10, 85, 20)},
                .summaryBytes = 88,
                .subjectBytes = 32,
                .firstCellX = 493,
                .cellY = 11,
                .leftMarkX = 657,
                .rightMarkX = 673},
      .totals = {.group = "分组框13",
                 .firstCellX = 497,
                 .cellY = 11,
                 .leftMarkX = 661,
                 .rightMarkX = 677,
                 .entry = payment ? CellEntry::kReadOnly : CellEntry::kPassive},
      .lists = {},
      .defaultHeaderSubject = "现金",
      .firstField = "组合框1",
      .tabBeforeLines = {"组合框1", "日期框2", "编辑框1", "编辑框2"},
      .offsets = payment ? OffsetPair::kPaymentVoucher : OffsetPair::kReceiptVoucher,
  };
  std::vector<std::string> general, detail;
  for (int k = 0; k < kVoucherLines; ++k) {
    const VoucherLineNames line = VoucherLine(kind, k);
    general.push_back(line.subjects[0]);
    detail.push_back(line.subjects[1]);
  }
  desc.lists = {
      {payment ? "Fdfkm.bsf" : "Sjfkm.bsf", payment ? "贷方科目" : "借方科目", {"组合框1"}},
      {payment ? "Fzzkm.bsf" : "Szzkm.bsf", "总帐科目", general},
      {payment ? "Fmxkm.bsf" : "Smxkm.bsf", "明细科目", detail},
  };
  return desc;
}

}  // namespace tallyra
