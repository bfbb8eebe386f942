#pragma once

#include <QString>
#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace tallyra {

struct AppContext;

// Where a toolbar button or roll-up item leads.
enum class Destination {
  kCashDepositSlip,
  kCheque,
  kDepositSlip,
  kWireTransfer,
  kReceiptVoucher,
  kPaymentVoucher,
  kTransferVoucher,
  kAdministrators,
  kSelectionSettings,
  kPrintPositions,
  kDepositSlipPositions,
  kHelp,
  kAbout,
};

struct NavEntry {
  QString caption;
  QString tip;  // tooltip of a toolbar button, description of a roll-up item
  Destination destination;
  bool superAdministratorOnly = false;
  bool closesCurrentForm = true;
};

struct ToolbarEntry {
  int index;  // as the toolbar reports it; 0, 2 and 6 are separators
  NavEntry entry;
};

struct MenuGroup {
  QString caption;
  std::vector<NavEntry> items;
};

const std::vector<ToolbarEntry>& ToolbarEntries();
const std::vector<MenuGroup>& MenuGroups();

// Makes the window of a destination, owned by the main window.
using WindowFactory = std::function<QWidget*(AppContext& context, QWidget* owner)>;
using WindowFactories = std::map<Destination, WindowFactory>;

// The window of every destination but help and about.
WindowFactories ProgramWindows();

}  // namespace tallyra
