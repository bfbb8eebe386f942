#pragma once

#include "forms/windows/bank_form_window.h"

namespace tallyra {

// The wire-transfer voucher: remitter and payee with their places, the amount digit by
// digit, the payment password and a purpose. The city and county lists follow the chosen
// province and city.
class WireTransferWindow final : public BankFormWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(WireTransferWindow)

 public:
  WireTransferWindow(AppContext& context, QWidget* owner);

  CellRow* Digits() const { return digits_; }

 protected:
  void LoadLists() override;
  const PrintLayout& Layout() const override;
  OffsetSource Offsets() const override;

 private:
  // One side of the voucher, remitter or payee, and the tables its lists come from.
  struct Party {
    const char* names;
    const char* accounts;
    const char* places;
    const char* banks;
    ListBox* name = nullptr;
    ListBox* account = nullptr;
    ListBox* province = nullptr;
    ListBox* city = nullptr;
    ListBox* county = nullptr;
    ListBox* bank = nullptr;
  };
  struct PartyCaptions;

  QWidget* BuildParty(const PartyCaptions& captions, Party& party);
  QWidget* BuildOther();
  void FollowChoices(const Party& party);
  void FillPlaces(const Party& party);
  // The list below a chosen place: the records of that place, in record order.
  void RefillBelow(const Party& party, ListBox* chosen);
  // City and county lists are usable only once the list above them has a text.
  void ApplyEnableRule();
  void SetWireTabOrder();

  Party remitter_{"Bfqc.bsf", "Bfzh.bsf", "Bfdd.bsf", "Bfyh.bsf"};
  Party payee_{"Dfqc.bsf", "Dfzh.bsf", "Dfdd.bsf", "Dfyh.bsf"};
  QDateEdit* dateBox_ = nullptr;
  CellRow* digits_ = nullptr;
};

}  // namespace tallyra
