#include "forms/windows/form_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "data/gbk_text.h"
#include "forms/windows/cell_row.h"
#include "platform/print_service.h"
#include "ui/controls.h"
#include "ui/form_keys.h"
#include "ui/gbk_limit.h"
#include "ui/list_box.h"

namespace tallyra {

FormWindow::FormWindow(AppContext& context, QWidget* owner, const QString& title,
                       const QString& greeting)
    : QWidget(owner, Qt::Window),
      context_(context),
      registration_(context.state, this),
      lists_(context, this),
      greeting_(greeting),
      keys_(new WindowKeys(this, WindowKeys::Esc::kClosesWindow)) {
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose);
  connect(keys_, &WindowKeys::FocusEntered, this, &FormWindow::ShowInputHint);
}

// The controls are destroyed after this part of the window: nothing they report (focus
// moving on, a text or date changing) may reach it any more.
FormWindow::~FormWindow() {
  for (QObject* child : findChildren<QObject*>()) {
    child->removeEventFilter(keys_);
    child->disconnect(this);
  }
}

QLineEdit* FormWindow::AddTextBox(QWidget* parent, const char* name, int maxBytes, OnNew onNew) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromUtf8(name));
  GbkLimit::Attach(edit, maxBytes);
  if (onNew == OnNew::kClear) AddResetStep([edit] { edit->clear(); });
  return edit;
}

QPlainTextEdit* FormWindow::AddMultiLineBox(QWidget* parent, const char* name, int maxBytes) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(QString::fromUtf8(name));
  box->setTabChangesFocus(true);
  GbkLimit::Attach(box, maxBytes);
  AddResetStep([box] { box->clear(); });
  return box;
}

ListBox* FormWindow::AddComboBox(QWidget* parent, const char* name, int maxBytes, OnNew onNew) {
  auto* list = new ListBox(parent);
  list->setObjectName(QString::fromUtf8(name));
  GbkLimit::Attach(list, maxBytes);
  if (onNew == OnNew::kClear) AddResetStep([list] { list->setEditText(QString()); });
  return list;
}

QLineEdit* FormWindow::AddDerivedBox(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromUtf8(name));
  MakeDerived(edit);
  AddResetStep([edit] { edit->clear(); });
  return edit;
}

CellRow* FormWindow::AddCellRow(const CellRowSpec& desc, QWidget* parent) {
  auto* row = new CellRow(desc, parent);
  AddResetStep([row] { row->Clear(); });
  return row;
}

QDateEdit* FormWindow::AddDateBox(QWidget* parent, const char* name) {
  auto* date = new QDateEdit(parent);
  date->setObjectName(QString::fromUtf8(name));
  date->setCalendarPopup(true);
  date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  dateBoxes_.push_back(date);
  return date;
}

void FormWindow::BuildControls(const std::vector<ControlSpec>& table) {
  using Kind = ControlSpec::Kind;
  for (const ControlSpec& desc : table) {
    QWidget* parent = *desc.parent ? Control(desc.parent) : this;
    const QString text = QString::fromUtf8(desc.text);
    QWidget* control = nullptr;
    switch (desc.kind) {
      case Kind::kLabel:
        control = Caption(parent, QString::fromStdString(desc.name), text);
        break;
      case Kind::kGroup:
        control = Group(parent, QString::fromStdString(desc.name), text);
        break;
      case Kind::kTextBox:
        control = AddTextBox(parent, desc.name.c_str(), desc.maxBytes);
        break;
      case Kind::kMultiLine:
        control = AddMultiLineBox(parent, desc.name.c_str(), desc.maxBytes);
        break;
      case Kind::kComboBox:
        control = AddComboBox(parent, desc.name.c_str(), desc.maxBytes);
        break;
      case Kind::kDerived:
        control = AddDerivedBox(parent, desc.name.c_str());
        break;
      case Kind::kInteger: {
        auto* box = AddTextBox(parent, desc.name.c_str(), desc.maxBytes);
        box->setMaxLength(desc.maxBytes);
        TypeDigitsOnly(box);
        control = box;
        break;
      }
      case Kind::kDate:
        control = AddDateBox(parent, desc.name.c_str());
        break;
      case Kind::kOperatorLine:
      case Kind::kStatusLine:
      case Kind::kNewButton:
      case Kind::kPrintButton:
      case Kind::kPreviewButton:
        control = MakeBarPart(desc.kind, parent);
        break;
    }
    control->setGeometry(desc.rect);
  }
}

QGroupBox* FormWindow::BuildBottomBar(const char* groupName) {
  using Kind = ControlSpec::Kind;
  QGroupBox* group = Group(this, QString::fromUtf8(groupName), QString());
  auto* row = new QHBoxLayout;
  row->addWidget(MakeBarPart(Kind::kOperatorLine, group), 1);
  for (Kind button : {Kind::kNewButton, Kind::kPrintButton, Kind::kPreviewButton}) {
    row->addWidget(MakeBarPart(button, group));
  }
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->addLayout(row);
  layout->addWidget(MakeBarPart(Kind::kStatusLine, group));
  return group;
}

QWidget* FormWindow::MakeBarPart(ControlSpec::Kind kind, QWidget* parent) {
  using Kind = ControlSpec::Kind;
  if (kind == Kind::kOperatorLine) {
    operatorLine_ = Caption(parent, QStringLiteral("登录签"), QString());
    return operatorLine_;
  }
  if (kind == Kind::kStatusLine) {
    statusLine_ = Caption(parent, QStringLiteral("警告签"), QString());
    statusLine_->setStyleSheet(QStringLiteral("color: rgb(0, 0, 160);"));
    return statusLine_;
  }
  const struct {
    Kind kind;
    const char* name;
    const char* caption;
    void (FormWindow::*action)();
  } buttons[] = {{Kind::kNewButton, "按钮6", "&N 新　建", &FormWindow::ResetForm},
                 {Kind::kPrintButton, "按钮8", "&P 打　印", &FormWindow::Print},
                 {Kind::kPreviewButton, "按钮预览", "&V 预　览", &FormWindow::Preview}};
  for (const auto& button : buttons) {
    if (button.kind != kind) continue;
    auto* push = new QPushButton(QString::fromUtf8(button.caption), parent);
    push->setObjectName(QString::fromUtf8(button.name));
    connect(push, &QPushButton::clicked, this, button.action);
    if (kind == Kind::kPrintButton) printButton_ = push;
    return push;
  }
  return nullptr;
}

void FormWindow::SetTabOrder(const std::vector<QWidget*>& order) {
  for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

QWidget* FormWindow::Control(const char* name) const {
  return findChild<QWidget*>(QString::fromUtf8(name));
}

void FormWindow::Created() {
  context_.store.CloseAll();
  statusLine_->setText(greeting_);
  keys_->WatchControls();
  for (QWidget* child : findChildren<QWidget*>()) {
    if (const GbkLimit* limit = GbkLimit::Of(child)) {
      connect(limit, &GbkLimit::Refused, statusLine_, &QLabel::setText);
    }
  }
  ResetForm();
  LoadLists();
}

void FormWindow::GreetOperator(const QString& operatorLine) {
  operatorLine_->setText(operatorLine);
  statusLine_->setText(greeting_);
}

void FormWindow::ResetForm() {
  const QDate today = context_.services.clock.Now().date();
  for (QDateEdit* date : dateBoxes_) date->setDate(today);
  for (const auto& step : resetSteps_) step();
  FieldsReset();
  if (firstField_) firstField_->setFocus();
  statusLine_->setText(newGreeting_.isEmpty() ? greeting_ : newGreeting_);
  printButton_->setEnabled(true);
}

void FormWindow::ShowInputHint(const QWidget* field) {
  const GbkLimit* limit = GbkLimit::Of(field);
  if (!hintsShown_ || !limit) return;
  const int bytes = limit->MaxBytes();
  statusLine_->setText(QStringLiteral("注意：此处可输入%1个数字，%2个汉字！")
                           .arg(bytes)
                           .arg(QString::fromStdString(FormatNumber(bytes / 2.0))));
}

void FormWindow::Print() {
  RecordStore& store = context_.store;
  store.Close();
  if (!CheckBeforePrint()) return;
  const MessageAnswer answer = context_.services.messages.Show(
      this, {QStringLiteral("请您认真核实录入信息后，再放入空白票据进行打印！"),
             QStringLiteral("打印"), MessageIcon::kInformation, MessageButtons::kOkCancel});
  if (answer != MessageAnswer::kOk) return;
  store.CloseAll();
  PrintRoutine(false);
}

bool FormWindow::RefusePrint(const QString& text) {
  statusLine_->setText(QLatin1Char(' ') + text);
  context_.services.messages.Show(
      this, {text, QStringLiteral("错误提示"), MessageIcon::kError, MessageButtons::kOk});
  return false;
}

void FormWindow::Preview() { PrintRoutine(true); }

void FormWindow::PrintRoutine(bool preview) {
  RecordStore& store = context_.store;
  const auto offsets = ReadOffsets(store, Offsets());
  if (!offsets) {
    context_.services.messages.ShowError(this,
                                         QStringLiteral("无法打开打印位置文件，没有打印：\n") +
                                             QString::fromStdString(store.LastErrorText()));
    return;
  }
  const PrintLayout& layout = Layout();
  const PrintRun run = PreparePrintRun(layout, CollectFields(layout), *offsets);
  store.Close();  // the position table is open only for the run
  if (preview) {
    context_.services.printing.Preview(this, run);
  } else {
    context_.services.printing.Print(this, run);
  }
}

FieldValues FormWindow::CollectFields(const PrintLayout& layout) const {
  FieldValues fields;
  for (const std::string& name : SourceNames(layout)) {
    const QWidget* control = findChild<QWidget*>(QString::fromStdString(name));
    const auto* date = qobject_cast<const QDateEdit*>(control);
    const QString text = date ? date->date().toString(Qt::ISODate) : FieldText(control);
    fields[name] = text.toStdString();
  }
  return fields;
}

}  // namespace tallyra
