#include "forms/windows/wire_transfer_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "forms/windows/cell_row.h"
#include "forms/wire_transfer_layout.h"
#include "ui/controls.h"
#include "ui/list_box.h"

namespace tallyra {

// The control names and captions of one side of the voucher.
struct WireTransferWindow::PartyCaptions {
  const char* group;
  const char* title;
  const char* name;
  const char* account;
  const char* province;
  const char* city;
  const char* county;
  const char* bank;
  const char* placeCaption;
  const char* bankCaption;
  int firstLabel;  // the party's labels are numbered from here
};

namespace {

const char* const kPlaceFields[] = {"省", "市", "县"};

QLabel* Label(QWidget* parent, int number, const char* text) {
  return Caption(parent, QStringLiteral("标签%1").arg(number), QString::fromUtf8(text));
}

}  // namespace

WireTransferWindow::WireTransferWindow(AppContext& context, QWidget* owner)
    : BankFormWindow(context, owner, QStringLiteral("打印电汇凭证"),
                     QStringLiteral(" 您正在使用电汇凭证管理，请注意本行的提示信息！")) {
  setObjectName(QStringLiteral("WireTransferWindow"));
  setFixedSize(583, 559);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  layout->addWidget(
      BuildParty({"分组框4", "汇款人", "汇全称组合框2", "汇账号组合框3", "汇省组合框1",
                  "汇市组合框1", "汇市县组合框2", "汇开户行组合框4", "汇出地点", "汇出行名称", 1},
                 remitter_),
      1);
  layout->addWidget(
      BuildParty({"分组框2", "收款人", "收全称编辑框2", "收账号编辑框3", "收省组合框3",
                  "收市组合框3", "收市县组合框4", "收开户行编辑框4", "汇入地点", "汇入行名称", 11},
                 payee_),
      1);
  // The groups share the window's height; the bottom bar keeps its own.
  layout->addWidget(BuildOther(), 1);
  layout->addWidget(BuildBottomBar("分组框3"));
  SetWireTabOrder();
  SetFirstField(remitter_.name);
  FollowChoices(remitter_);
  FollowChoices(payee_);
}

QWidget* WireTransferWindow::BuildParty(const PartyCaptions& captions, Party& party) {
  QGroupBox* group =
      Group(this, QString::fromUtf8(captions.group), QString::fromUtf8(captions.title));
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(6, 2, 6, 4);
  grid->setVerticalSpacing(3);
  int label = captions.firstLabel;
  party.name = AddComboBox(group, captions.name, 64);
  party.account = AddComboBox(group, captions.account, 32);
  party.province = AddComboBox(group, captions.province, 8);
  party.city = AddComboBox(group, captions.city, 8);
  party.county = AddComboBox(group, captions.county, 8);
  party.bank = AddComboBox(group, captions.bank, 32);

  auto* places = new QHBoxLayout;
  const std::array<ListBox*, 3> placeLists = {party.province, party.city, party.county};
  for (std::size_t i = 0; i < placeLists.size(); ++i) {
    places->addWidget(placeLists[i], 1);
    places->addWidget(Label(group, label++, kPlaceFields[i]));
  }
  grid->addWidget(Label(group, label++, "全    称"), 0, 0);
  grid->addWidget(party.name, 0, 1);
  grid->addWidget(Label(group, label++, "账    号"), 1, 0);
  grid->addWidget(party.account, 1, 1);
  grid->addWidget(Label(group, label++, captions.placeCaption), 2, 0);
  grid->addLayout(places, 2, 1);
  grid->addWidget(Label(group, label++, captions.bankCaption), 3, 0);
  grid->addWidget(party.bank, 3, 1);
  grid->setColumnStretch(1, 1);
  return group;
}

QWidget* WireTransferWindow::BuildOther() {
  QGroupBox* other = Group(this, QStringLiteral("分组框7"), QStringLiteral("其他"));
  auto* grid = new QGridLayout(other);
  grid->setContentsMargins(6, 2, 6, 4);
  grid->setVerticalSpacing(3);

  dateBox_ = AddDateBox(other, "日期框1");
  QHBoxLayout* dateRow = AddCapitalDate(other, dateBox_);
  dateRow->insertWidget(0, dateBox_);
  dateRow->insertSpacing(1, 12);
  grid->addWidget(Label(other, 21, "出票日期"), 0, 0);
  grid->addLayout(dateRow, 0, 1, 1, 3);

  QLineEdit* capitals = AddDerivedBox(other, "大写编辑框2");
  QLineEdit* figure = AddDerivedBox(other, "小写编辑框5");
  const DigitGroup digits = AddBankDigits(other, figure, capitals);
  digits_ = digits.digits;
  grid->addWidget(Label(other, 22, "小写\n金额"), 1, 0);
  grid->addWidget(digits.group, 1, 1, 1, 3);

  QLineEdit* password = AddTextBox(other, "密码编辑框3", 34);
  grid->addWidget(Label(other, 23, "支付密码"), 2, 0);
  grid->addWidget(password, 2, 1, 1, 3);
  grid->addWidget(Label(other, 24, "附加信息及用途"), 3, 0);
  grid->addWidget(AddTextBox(other, "附加编辑框4", 64), 3, 1, 1, 3);

  grid->addWidget(Label(other, 25, "大写金额"), 4, 0);
  grid->addWidget(capitals, 4, 1);
  grid->addWidget(Label(other, 26, "小写金额"), 4, 2);
  grid->addWidget(figure, 4, 3);
  grid->setColumnStretch(1, 3);
  grid->setColumnStretch(3, 1);

  digits_->SetNextField(password);
  return other;
}

void WireTransferWindow::FollowChoices(const Party& party) {
  // Only an item chosen from the list refills the list below; a typed name refills
  // nothing, not even when it equals an entry and the box is left.
  for (ListBox* list : {party.province, party.city}) {
    connect(list, &ListBox::ItemChosen, this, [this, &party, list] { RefillBelow(party, list); });
  }
  for (ListBox* list : {party.province, party.city}) {
    connect(list, &QComboBox::editTextChanged, this, &WireTransferWindow::ApplyEnableRule);
  }
}

void WireTransferWindow::SetWireTabOrder() {
  std::vector<QWidget*> order;
  for (const Party* party : {&remitter_, &payee_}) {
    order.insert(order.end(), {party->name, party->account, party->province, party->city,
                               party->county, party->bank});
  }
  order.push_back(dateBox_);
  for (int k = 0; k < digits_->Size(); ++k) order.push_back(digits_->Cell(k));
  for (const char* name : {"密码编辑框3", "附加编辑框4", "按钮8", "按钮6", "按钮预览"}) {
    order.push_back(Control(name));
  }
  SetTabOrder(order);
}

void WireTransferWindow::LoadLists() {
  const auto every = [](const char* file, const char* field) {
    return ListSource{file, {field}, ListRule::kEveryEntry};
  };
  const auto accounts = [](const char* file) {
    return ListSource{file, {"账号说明", "银行账号"}, ListRule::kAccount};
  };
  Lists().Fill(every(remitter_.names, "单位全称"), {remitter_.name});
  Lists().Fill(accounts(remitter_.accounts), {remitter_.account});
  Lists().Fill(every(remitter_.banks, "开户银行"), {remitter_.bank});
  FillPlaces(remitter_);
  FillPlaces(payee_);
  Lists().Fill(every(payee_.names, "单位全称"), {payee_.name});
  Lists().Fill(accounts(payee_.accounts), {payee_.account});
  Lists().Fill(every(payee_.banks, "开户银行"), {payee_.bank});
  ApplyEnableRule();
  for (const Party* party : {&remitter_, &payee_}) {
    for (ListBox* list : {party->province, party->city, party->county}) {
      list->setEditText(QString());
    }
  }
}

void WireTransferWindow::FillPlaces(const Party& party) {
  // At creation every city and county of the table, whatever its province.
  const std::array<ListBox*, 3> lists = {party.province, party.city, party.county};
  for (std::size_t i = 0; i < lists.size(); ++i) {
    Lists().Fill({party.places, {kPlaceFields[i]}, ListRule::kUniquePrefix}, {lists[i]});
  }
}

void WireTransferWindow::RefillBelow(const Party& party, ListBox* chosen) {
  const bool province = chosen == party.province;
  ListBox* below = province ? party.city : party.county;
  const std::string match = chosen->currentText().toStdString();
  const std::string field = province ? "省" : "市";
  Lists().Refill({party.places,
                  {province ? "市" : "县"},
                  ListRule::kUniquePrefix,
                  [match, field](RecordStore& store) { return store.ReadText(field) == match; }},
                 {below});
  below->setEditText(QString());
}

void WireTransferWindow::ApplyEnableRule() {
  for (const Party* party : {&remitter_, &payee_}) {
    party->city->setEnabled(!party->province->currentText().isEmpty());
    party->county->setEnabled(!party->city->currentText().isEmpty());
  }
}

const PrintLayout& WireTransferWindow::Layout() const { return WireTransferLayout(); }

OffsetSource WireTransferWindow::Offsets() const { return OffsetsOf(OffsetPair::kWireTransfer); }

}  // namespace tallyra
