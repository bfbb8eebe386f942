#include "forms/form_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/gbk_text.h"
#include "forms/capitals.h"
#include "forms/digit_row.h"
#include "forms/form_keys.h"
#include "forms/gbk_limit.h"
#include "platform/print_service.h"

namespace tallyra {
namespace {

const char* const kDerivedStyle =
    "QLineEdit { color: rgb(128, 0, 0); background: rgb(222, 222, 226); }";

// Filling a list must not choose an entry: the list keeps the text it had.
class KeepEditText final {
 public:
  explicit KeepEditText(QComboBox* list) : list_(list), text_(list->currentText()) {}
  ~KeepEditText() {
    list_->setCurrentIndex(-1);
    list_->setEditText(text_);
  }
  KeepEditText(const KeepEditText&) = delete;
  KeepEditText& operator=(const KeepEditText&) = delete;

 private:
  QComboBox* list_;
  QString text_;
};

}  // namespace

FormWindow::FormWindow(AppContext& context, QWidget* owner, const QString& title,
                       const QString& greeting)
    : QWidget(owner, Qt::Window),
      context_(context),
      registration_(context.state, this),
      greeting_(greeting) {
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose);
}

// The controls are destroyed after this part of the window: nothing they report (focus
// moving on, a text or date changing) may reach it any more.
FormWindow::~FormWindow() {
  for (QObject* child : findChildren<QObject*>()) {
    child->removeEventFilter(this);
    child->disconnect(this);
  }
}

QLineEdit* FormWindow::AddTextBox(QWidget* parent, const char* name, int maxBytes) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromUtf8(name));
  LimitToGbkBytes(edit, maxBytes);
  clearedEdits_.push_back(edit);
  return edit;
}

QComboBox* FormWindow::AddComboBox(QWidget* parent, const char* name, int maxBytes) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromUtf8(name));
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  LimitToGbkBytes(list, maxBytes);
  clearedLists_.push_back(list);
  return list;
}

QLineEdit* FormWindow::AddDerivedBox(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromUtf8(name));
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::NoFocus);
  edit->setStyleSheet(QString::fromUtf8(kDerivedStyle));
  clearedEdits_.push_back(edit);
  return edit;
}

DigitRow* FormWindow::AddDigitRow(QWidget* parent) {
  digits_ = new DigitRow(parent);
  connect(digits_, &DigitRow::Changed, this, &FormWindow::RecomputeAmount);
  return digits_;
}

QDateEdit* FormWindow::AddDateBox(QWidget* parent) {
  dateBox_ = new QDateEdit(parent);
  dateBox_->setObjectName(QStringLiteral("日期框1"));
  dateBox_->setCalendarPopup(true);
  dateBox_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  connect(dateBox_, &QDateEdit::dateChanged, this, &FormWindow::RecomputeAmount);
  connect(dateBox_, &QDateEdit::editingFinished, this, &FormWindow::RecomputeAmount);
  return dateBox_;
}

void FormWindow::AddCapitalDateBoxes(QLineEdit* year, QLineEdit* month, QLineEdit* day) {
  dateCapitals_[0] = year;
  dateCapitals_[1] = month;
  dateCapitals_[2] = day;
}

void FormWindow::SetAmountBoxes(QLineEdit* figure, QLineEdit* capitals) {
  figureBox_ = figure;
  capitalsBox_ = capitals;
  // The figure box also changes by itself when the program writes it.
  connect(figureBox_, &QLineEdit::textChanged, this, &FormWindow::RecomputeAmount);
}

QGroupBox* FormWindow::BuildBottomBar(const char* groupName) {
  auto* group = new QGroupBox(this);
  group->setObjectName(QString::fromUtf8(groupName));
  operatorLine_ = new QLabel(group);
  operatorLine_->setObjectName(QStringLiteral("登录签"));
  statusLine_ = new QLabel(group);
  statusLine_->setObjectName(QStringLiteral("警告签"));
  statusLine_->setStyleSheet(QStringLiteral("color: rgb(0, 0, 160);"));
  auto* newButton = new QPushButton(QStringLiteral("&N 新　建"), group);
  newButton->setObjectName(QStringLiteral("按钮6"));
  printButton_ = new QPushButton(QStringLiteral("&P 打　印"), group);
  printButton_->setObjectName(QStringLiteral("按钮8"));
  auto* previewButton = new QPushButton(QStringLiteral("&V 预　览"), group);
  previewButton->setObjectName(QStringLiteral("按钮预览"));
  connect(newButton, &QPushButton::clicked, this, &FormWindow::ResetForm);
  connect(printButton_, &QPushButton::clicked, this, &FormWindow::Print);
  connect(previewButton, &QPushButton::clicked, this, &FormWindow::Preview);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(operatorLine_, 1);
  buttons->addWidget(newButton);
  buttons->addWidget(printButton_);
  buttons->addWidget(previewButton);
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->addLayout(buttons);
  layout->addWidget(statusLine_);
  return group;
}

void FormWindow::Created() {
  context_.store.CloseAll();
  statusLine_->setText(greeting_);
  ConnectFields();
  ResetForm();
  LoadLists();
}

void FormWindow::ConnectFields() {
  // Every focusable control, inner edits of date boxes and lists included: Enter moves
  // the focus on, Esc closes, and a field with a limit shows its hint on focus.
  for (QWidget* child : findChildren<QWidget*>()) {
    if (child->focusPolicy() != Qt::NoFocus) child->installEventFilter(this);
    if (const GbkLimit* limit = LimitOf(child)) {
      connect(limit, &GbkLimit::Refused, statusLine_, &QLabel::setText);
    }
  }
}

void FormWindow::ResetForm() {
  if (dateBox_) dateBox_->setDate(context_.services.clock.Now().date());
  for (QLineEdit* edit : clearedEdits_) edit->clear();
  for (QComboBox* list : clearedLists_) list->setEditText(QString());
  if (digits_) digits_->Clear();
  RecomputeAmount();
  if (firstField_) firstField_->setFocus();
  statusLine_->setText(greeting_);
  printButton_->setEnabled(true);
}

void FormWindow::RecomputeAmount() {
  if (recomputing_) return;  // our own write of the figure box comes back here
  recomputing_ = true;
  if (digits_ && figureBox_) {
    figureBox_->setText(digits_->Figure());
    const std::string figure = figureBox_->text().toStdString();
    capitalsBox_->setText(QString::fromStdString(AmountToCapitals(NumericValue(figure))));
  }
  if (dateBox_ && dateCapitals_[0]) {
    const QDate date = dateBox_->date();
    const DateTexts capitals = DateToCapitals({date.year(), date.month(), date.day()});
    dateCapitals_[0]->setText(QString::fromStdString(capitals.year));
    dateCapitals_[1]->setText(QString::fromStdString(capitals.month));
    dateCapitals_[2]->setText(QString::fromStdString(capitals.day));
  }
  recomputing_ = false;
}

void FormWindow::ShowInputHint(const QWidget* field) {
  const GbkLimit* limit = LimitOf(field);
  if (!limit) return;
  const int bytes = limit->MaxBytes();
  statusLine_->setText(QStringLiteral("注意：此处可输入%1个数字，%2个汉字！")
                           .arg(bytes)
                           .arg(QString::fromStdString(FormatNumber(bytes / 2.0))));
}

void FormWindow::Print() {
  RecordStore& store = context_.store;
  store.Close();
  const MessageAnswer answer = context_.services.messages.Show(
      this, {QStringLiteral("请您认真核实录入信息后，再放入空白票据进行打印！"),
             QStringLiteral("打印"), MessageIcon::kInformation, MessageButtons::kOkCancel});
  if (answer != MessageAnswer::kOk) return;
  store.CloseAll();
  PrintRoutine(false);
}

void FormWindow::Preview() { PrintRoutine(true); }

void FormWindow::PrintWithOffsetPair(const PrintLayout& layout, OffsetPair pair, bool preview) {
  RecordStore& store = context_.store;
  const auto offsets = ReadOffsetPair(store, pair);
  if (!offsets) {
    context_.services.messages.ShowError(this,
                                         QStringLiteral("无法打开打印位置文件，没有打印：\n") +
                                             QString::fromStdString(store.LastErrorText()));
    return;
  }
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
    QString text;
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
      text = edit->text();
    } else if (auto* list = qobject_cast<const QComboBox*>(control)) {
      text = list->currentText();
    } else if (auto* date = qobject_cast<const QDateEdit*>(control)) {
      text = date->date().toString(Qt::ISODate);
    }
    fields[name] = text.toStdString();
  }
  return fields;
}

void FormWindow::LoadReferenceList(const std::string& file, const std::string& field,
                                   QComboBox* list) {
  const KeepEditText keep(list);
  ForEachRecord(file, [&](RecordStore& store) {
    const std::string text = store.ReadText(field);
    if (!text.empty()) list->addItem(QString::fromStdString(text));
  });
}

void FormWindow::LoadAccountList(const std::string& file, QComboBox* list) {
  const KeepEditText keep(list);
  ForEachRecord(file, [&](RecordStore& store) {
    const std::string description = store.ReadText("账号说明");
    if (!description.empty()) {
      list->addItem(QString::fromStdString(description + "|" + store.ReadText("银行账号")));
    }
  });
}

void FormWindow::ForEachRecord(const std::string& file,
                               const std::function<void(RecordStore&)>& visit) {
  RecordStore& store = context_.store;
  // The table stays open and current afterwards; a second list from it selects it again.
  if (!store.MakeCurrent(file)) {
    context_.services.messages.Show(
        this, {QStringLiteral("下拉选项无法读取，列表为空：\n") +
                   QString::fromStdString(store.LastErrorText()),
               QStringLiteral("错误信息！"), MessageIcon::kWarning, MessageButtons::kOk});
    return;
  }
  store.First();
  for (int i = store.RecordCount(); i > 0; --i) {
    visit(store);
    store.Skip();
  }
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (event->type() == QEvent::FocusIn && widget) {
    // A drop-down list's inner edit gets the focus: the hint is the list's.
    QWidget* field =
        qobject_cast<QComboBox*>(widget->parentWidget()) ? widget->parentWidget() : widget;
    ShowInputHint(field);
  }
  switch (FormKeyOf(event)) {
    case FormKey::kEnter:
      focusNextChild();
      return true;
    case FormKey::kEscape:
      close();
      return true;
    case FormKey::kOther:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tallyra
