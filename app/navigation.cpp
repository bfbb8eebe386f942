#include "app/navigation.h"

#include <type_traits>

#include "app/calibration_sheet_forms.h"
#include "data/windows/admin_settings_window.h"
#include "data/windows/selection_settings_window.h"
#include "forms/windows/cash_deposit_window.h"
#include "forms/windows/cheque_window.h"
#include "forms/windows/deposit_slip_position_window.h"
#include "forms/windows/deposit_slip_window.h"
#include "forms/windows/print_position_window.h"
#include "forms/windows/wire_transfer_window.h"
#include "vouchers/windows/payment_voucher_window.h"
#include "vouchers/windows/receipt_voucher_window.h"
#include "vouchers/windows/transfer_voucher_window.h"

namespace tallyra {
namespace {

using D = Destination;

NavEntry Entry(const char* caption, const char* tip, Destination destination,
               bool superOnly = false, bool closesForm = true) {
  return {QString::fromUtf8(caption), QString::fromUtf8(tip), destination, superOnly, closesForm};
}

}  // namespace

const std::vector<ToolbarEntry>& ToolbarEntries() {
  static const std::vector<ToolbarEntry> entries = {
      {1, Entry("用户管理", "添删用户或修改密码", D::kAdministrators)},
      {3, Entry("信息维护", "维护所有下拉选项", D::kSelectionSettings, true)},
      {4, Entry("整体调整", "整体调整各项打印位置", D::kPrintPositions, true)},
      {5, Entry("部分调整", "单独调整进帐单打印位置", D::kDepositSlipPositions, true)},
      {7, Entry("帮助", "软件使用说明", D::kHelp, false, false)},
      {8, Entry("关于", "软件简介", D::kAbout)},
  };
  return entries;
}

const std::vector<MenuGroup>& MenuGroups() {
  static const std::vector<MenuGroup> groups = {
      {QStringLiteral("Tallyra"),
       {Entry("打印现金交款单", "现金交款单录入与打印", D::kCashDepositSlip),
        Entry("打印支票", "支票录入与打印", D::kCheque),
        Entry("打印进帐单", "进帐单录入与打印", D::kDepositSlip),
        Entry("打印电汇凭证", "电汇凭证录入与打印", D::kWireTransfer),
        Entry("打印收款凭证", "收款凭证录入与打印", D::kReceiptVoucher),
        Entry("打印付款凭证", "付款凭证录入与打印", D::kPaymentVoucher),
        Entry("打印转帐凭证", "转帐凭证录入与打印", D::kTransferVoucher)}},
      {QStringLiteral("系统管理"),
       {Entry("用户管理", "添删用户或修改密码", D::kAdministrators),
        Entry("基础信息维护", "维护所有下拉选项", D::kSelectionSettings, true)}},
      {QStringLiteral("打印调整"),
       {Entry("整体调整", "整体调整各项打印位置", D::kPrintPositions, true),
        Entry("部份调整", "单独调整进帐单打印位置", D::kDepositSlipPositions, true)}},
      {QStringLiteral("关于"),
       {Entry("帮助", "软件使用说明", D::kHelp, false, false),
        Entry("关于", "软件简介", D::kAbout, false, false)}},
  };
  return groups;
}

template <typename Window>
WindowFactory Make() {
  return [](AppContext& context, QWidget* owner) -> QWidget* {
    if constexpr (std::is_base_of_v<FormWindow, Window>) {
      return CreateForm<Window>(context, owner);
    } else {
      return new Window(context, owner);
    }
  };
}

WindowFactories ProgramWindows() {
  return {
      {D::kAdministrators,
       [](AppContext& context, QWidget* owner) -> QWidget* {
         return new AdminSettingsWindow(context, owner, context.state.OperatorName);
       }},
      {D::kCashDepositSlip, Make<CashDepositWindow>()},
      {D::kCheque, Make<ChequeWindow>()},
      {D::kDepositSlip, Make<DepositSlipWindow>()},
      {D::kWireTransfer, Make<WireTransferWindow>()},
      {D::kPrintPositions,
       [](AppContext& context, QWidget* owner) -> QWidget* {
         return new PrintPositionWindow(context, owner, CalibrationSheetForms());
       }},
      {D::kDepositSlipPositions, Make<DepositSlipPositionWindow>()},
      {D::kReceiptVoucher, Make<ReceiptVoucherWindow>()},
      {D::kPaymentVoucher, Make<PaymentVoucherWindow>()},
      {D::kTransferVoucher, Make<TransferVoucherWindow>()},
      {D::kSelectionSettings, Make<SelectionSettingsWindow>()},
  };
}

}  // namespace tallyra
