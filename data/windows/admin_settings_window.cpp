#include "data/windows/admin_settings_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <set>

#include "data/catalogue.h"
#include "data/gbk_text.h"
#include "ui/controls.h"
#include "ui/form_keys.h"
#include "ui/gbk_limit.h"

namespace tallyra {
namespace {

const QString kSuperAdministrator = QStringLiteral("超级管理员");
const std::string kAdministrator = "管理员";
const QString kInfo = QStringLiteral("信息：");
const QString kHint = QStringLiteral("提示：");
const QString kWarning = QStringLiteral("警告！！");

constexpr int kMaxRecords = 11;    // the super administrator and 10 administrators
constexpr int kNameRuleBytes = 7;  // from this many bytes on, no further character
// What typing can reach under that rule: three Chinese characters and one more.
constexpr int kNameMaxBytes = kNameRuleBytes + 1;

// Whether the event types or commits text into a box (editing keys do not).
bool TypesText(const QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const QString text = static_cast<const QKeyEvent*>(event)->text();
    return !text.isEmpty() && text.at(0).isPrint();
  }
  if (event->type() == QEvent::InputMethod) {
    return !static_cast<const QInputMethodEvent*>(event)->commitString().isEmpty();
  }
  return false;
}

QLineEdit* AddEdit(QWidget* parent, const char* name, QRect geometry) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromUtf8(name));
  box->setGeometry(geometry);
  return box;
}

void AddLabel(QWidget* parent, const char* name, const char* text, QRect geometry) {
  Caption(parent, QString::fromUtf8(name), QString::fromUtf8(text))->setGeometry(geometry);
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* text, QRect geometry) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(QString::fromUtf8(name));
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  return button;
}

// Where the check box of the administrator in record `record` (2 .. 11) lies.
QPoint CheckBoxPlace(int record) {
  return record <= 6 ? QPoint((record - 1) * 66 - 55, 30) : QPoint((record - 6) * 66 - 55, 60);
}

}  // namespace

AdminSettingsWindow::AdminSettingsWindow(AppContext& context, QWidget* owner, QString accountName,
                                         HashLimits limits)
    : QWidget(owner, Qt::Window),
      context_(context),
      registration_(context.state, this),
      limits_(limits) {
  setObjectName(QStringLiteral("AdminSettingsWindow"));
  setWindowTitle(QStringLiteral("管理员设置"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(356, 282);
  WindowKeys::EscClosesWindow(this);
  // The modes switch by disabling boxes: a disabled box must look it.
  setStyleSheet(QStringLiteral(
      "QLineEdit:disabled { background: rgb(236, 235, 241); color: rgb(140, 140, 150); }"));
  context_.state.AdminAccountName = std::move(accountName);
  BuildControls();
  OpenAdminWindow();
}

// Nothing ticked here outlives the window: the next window starts from no choice.
AdminSettingsWindow::~AdminSettingsWindow() {
  context_.state.CheckedAdminCount = 0;
  context_.state.ClickedAdminCheckBox = nullptr;
}

void AdminSettingsWindow::BuildControls() {
  addGroup_ = Group(this, QStringLiteral("分组框2"), QStringLiteral("新添管理员"));
  addGroup_->setGeometry(8, 8, 126, 92);
  AddLabel(addGroup_, "标签3", "用户名", {8, 28, 36, 20});
  nameEdit_ = AddEdit(addGroup_, "用户名输入编辑框", {48, 28, 68, 20});
  AddLabel(addGroup_, "标签4", "密  码", {8, 56, 36, 20});
  passwordEdit_ = AddEdit(addGroup_, "密码输入编辑框", {48, 56, 68, 20});

  changeGroup_ = Group(this, QStringLiteral("分组框1"), QStringLiteral("修改密码"));
  changeGroup_->setGeometry(142, 8, 202, 92);
  AddLabel(changeGroup_, "标签1", "请输入原始密码", {8, 28, 88, 20});
  oldPasswordEdit_ = AddEdit(changeGroup_, "原始密码输入编辑框", {104, 28, 89, 20});
  AddLabel(changeGroup_, "标签2", "请输入新的密码", {8, 56, 88, 20});
  newPasswordEdit_ = AddEdit(changeGroup_, "新密码输入编辑框", {104, 56, 89, 20});

  deleteGroup_ = Group(this, QStringLiteral("分组框3"), QStringLiteral("删除管理员"));
  deleteGroup_->setGeometry(8, 111, 336, 99);
  template_ = new QCheckBox(deleteGroup_);
  template_->setObjectName(QStringLiteral("选择框"));
  template_->setGeometry(16, 30, 60, 20);
  template_->hide();

  confirmButton_ = AddButton(this, "管理员设置确定按钮", "&O 确  定", {56, 221, 80, 20});
  resetButton_ = AddButton(this, "管理员设置重置按钮", "&R 重  置", {224, 221, 80, 20});
  connect(confirmButton_, &QPushButton::clicked, this, &AdminSettingsWindow::ConfirmAdmin);
  connect(resetButton_, &QPushButton::clicked, this, &AdminSettingsWindow::ResetAdmin);

  // Pasted names stay within what typing can reach, in characters GBK can encode.
  GbkLimit::Attach(nameEdit_, kNameMaxBytes);
  for (QLineEdit* box : {nameEdit_, passwordEdit_, oldPasswordEdit_, newPasswordEdit_}) {
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this, [this, box] { OnTyped(box); });
  }
  setTabOrder(nameEdit_, passwordEdit_);
  setTabOrder(passwordEdit_, oldPasswordEdit_);
  setTabOrder(oldPasswordEdit_, newPasswordEdit_);
}

void AdminSettingsWindow::OpenAdminWindow() {
  ProgramState& state = context_.state;
  state.CheckedAdminCount = 0;
  state.ClickedAdminCheckBox = nullptr;
  const bool tableOpen = OperatorTable();
  if (state.OperatorLevel != kSuperAdministrator) {
    Reduce();
    oldPasswordEdit_->setFocus();
    return;
  }
  if (!tableOpen) return;
  BuildAdminList();
  if (context_.store.RecordCount() >= kMaxRecords) {
    Tell(QStringLiteral("您添加的管理员数目已经达到最大限度10个人了，不能继续在添加管理员了！"),
         kInfo);
    nameEdit_->setEnabled(false);
    passwordEdit_->setEnabled(false);
  }
  nameEdit_->setFocus();
}

// An ordinary administrator changes only his own password, in a small window centred on
// the screen.
void AdminSettingsWindow::Reduce() {
  reduced_ = true;
  addGroup_->hide();
  deleteGroup_->hide();
  resetButton_->hide();
  nameEdit_->setEnabled(false);
  passwordEdit_->setEnabled(false);
  setFixedSize(220, 168);
  changeGroup_->move(6, changeGroup_->y());
  confirmButton_->move(70, 110);
  if (const QScreen* screen = this->screen()) {
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - 220) / 2, area.top() + (area.height() - 168) / 2);
  }
}

bool AdminSettingsWindow::OperatorTable() {
  RecordStore& store = context_.store;
  if (store.MakeCurrent(kOperatorTable, kOperatorTablePassword)) return true;
  context_.services.messages.ShowError(
      this, QStringLiteral("无法打开操作员表：") + QString::fromStdString(store.LastErrorText()));
  return false;
}

void AdminSettingsWindow::BuildAdminList() {
  RecordStore& store = context_.store;
  const std::string self = context_.state.AdminAccountName.toStdString();
  store.First();
  const int count = std::min(store.RecordCount(), kMaxRecords);
  for (int record = 1; record <= count; ++record, store.Skip(1)) {
    const std::string name = store.ReadText("帐户名");
    // Record 1 is the super administrator; no one is offered for deleting himself.
    if (record < 2 || store.ReadText("管理权限") != kAdministrator || name == self) continue;
    auto* box = new QCheckBox(QString::fromStdString(name), deleteGroup_);
    box->setObjectName(QStringLiteral("选择框%1").arg(record - 1));
    box->setGeometry(QRect(CheckBoxPlace(record), template_->size()));
    // The forms' face writes a letter in half a Chinese character's width, and with the
    // caption close to the tick the box's 60 pixels show a seven-byte name whole; the
    // tip shows a longer one.
    box->setFont(QFont(QStringLiteral("宋体"), 9));
    box->setStyleSheet(QStringLiteral("QCheckBox { spacing: 2px; }"));
    box->setToolTip(box->text());
    box->show();
    connect(box, &QCheckBox::clicked, this, [this, box] { ToggleAdmin(box); });
    context_.state.AdminCheckBoxes[static_cast<std::size_t>(record - 2)] = box;
  }
}

void AdminSettingsWindow::ClearAdminList() {
  for (QPointer<QCheckBox>& box : context_.state.AdminCheckBoxes) {
    delete box.data();
    box = nullptr;
  }
  context_.state.CheckedAdminCount = 0;
}

bool AdminSettingsWindow::HasAdministrator(const std::string& name) {
  RecordStore& store = context_.store;
  store.First();
  return store.Search([&name](RecordStore& s) { return s.ReadText("帐户名") == name; });
}

void AdminSettingsWindow::ToggleAdmin(QCheckBox* box) {
  ProgramState& state = context_.state;
  state.ClickedAdminCheckBox = box;
  for (QLineEdit* edit : {nameEdit_, passwordEdit_, oldPasswordEdit_, newPasswordEdit_}) {
    edit->setEnabled(false);
  }
  if (!box->isChecked()) {
    --state.CheckedAdminCount;
    return;
  }
  // Another copy of the program may have deleted him since the list was built.
  if (!OperatorTable() || !HasAdministrator(box->text().toStdString())) {
    box->setChecked(false);
    box->setEnabled(false);
    Tell(QStringLiteral("管理员“%1”已不存在，可能已在别处被删除。").arg(box->text()), kHint,
         MessageIcon::kInformation);
    return;
  }
  ++state.CheckedAdminCount;
}

void AdminSettingsWindow::ConfirmAdmin() {
  if (!OperatorTable()) return;
  RecordStore& store = context_.store;
  const int count = store.RecordCount();
  store.First();
  const bool addOn = nameEdit_->isEnabled() && passwordEdit_->isEnabled();
  const bool changeOn = oldPasswordEdit_->isEnabled() && newPasswordEdit_->isEnabled();
  if (changeOn && !nameEdit_->isEnabled() && !passwordEdit_->isEnabled()) {
    ChangePassword();
    return;
  }
  if (addOn && !oldPasswordEdit_->isEnabled() && !newPasswordEdit_->isEnabled()) {
    if (!AddAdministrator(count)) return;
  }
  if (context_.state.CheckedAdminCount >= 1) DeleteTicked();
}

void AdminSettingsWindow::ChangePassword() {
  const QString oldPassword = oldPasswordEdit_->text();
  const QString newPassword = newPasswordEdit_->text();
  if (oldPassword.isEmpty() || newPassword.isEmpty()) {
    Tell(QStringLiteral("修改密码，须输入原始密码及新密码，输入框不能为空"), kHint,
         MessageIcon::kInformation);
    return;
  }
  RecordStore& store = context_.store;
  // Without his record the pointer would stay on another operator's: never change that.
  if (!HasAdministrator(context_.state.AdminAccountName.toStdString())) {
    Tell(QStringLiteral("您的帐户已不存在，不能修改登录密码！"), kWarning, MessageIcon::kWarning);
    return;
  }
  if (!VerifyPassword(store.ReadText("帐户密码"), oldPassword.toStdString())) {
    Tell(QStringLiteral("原始密码错误，不能修改登录密码！"), kWarning, MessageIcon::kWarning);
    return;
  }
  const std::string hash = HashPassword(newPassword.toStdString(), limits_);
  if (hash.empty() || !store.Modify({std::nullopt, Value(hash), std::nullopt})) {
    Tell(QStringLiteral("修改密码失败，原密码仍然有效，请关闭程序重新运行。"),
         QStringLiteral("失败"), MessageIcon::kError);
    return;
  }
  Tell(QStringLiteral("密码修改成功，下次登录请使用新密码。"), kHint, MessageIcon::kInformation);
  close();
}

bool AdminSettingsWindow::AddAdministrator(int recordCount) {
  const QString name = nameEdit_->text();
  const QString password = passwordEdit_->text();
  if (name.isEmpty() || password.isEmpty()) {
    Tell(QStringLiteral("添加新管理员必须输入用户名和密码，输入框不能留空。"), kHint,
         MessageIcon::kInformation);
    return false;
  }
  if (HasAdministrator(name.toStdString())) {
    Tell(QStringLiteral("你新添的管理员帐号已经存在，请重新输入管理员帐号。"), kHint,
         MessageIcon::kInformation);
    nameEdit_->clear();
    nameEdit_->setFocus();
    return false;
  }
  if (recordCount >= kMaxRecords) {
    Tell(QStringLiteral("你添加的管理员已经超过了10个,真的需要那么多吗?请删除不需要的管理员账号!"),
         kInfo);
    nameEdit_->clear();
    passwordEdit_->clear();
    return true;
  }
  const std::string hash = HashPassword(password.toStdString(), limits_);
  RecordStore& store = context_.store;
  if (hash.empty() || !store.Append({name.toStdString(), hash, kAdministrator})) {
    Tell(QStringLiteral("添加管理员失败，请关闭程序重新运行。"), QStringLiteral("失败"));
    return false;
  }
  // Rebuilt from the table, so the new box lies at his real record even when another
  // copy of the program added someone meanwhile.
  ClearAdminList();
  BuildAdminList();
  Tell(QStringLiteral("添加管理员成功。"), QStringLiteral("成功"));
  ResetAdmin();
  return true;
}

// Deletes exactly the administrators ticked in this window. Marks left in the file by
// anyone else are cleared first, so the purge removes no one the operator did not see.
void AdminSettingsWindow::DeleteTicked() {
  const MessageAnswer answer = context_.services.messages.Show(
      this, {QStringLiteral("你选择了要删除的管理员，此次操作将彻底删除选中的管理员帐号，"
                            "你真的确定这么做吗？"),
             kWarning, MessageIcon::kWarning, MessageButtons::kYesNo});
  if (answer != MessageAnswer::kYes) return;
  std::set<std::string> ticked;
  for (const QPointer<QCheckBox>& box : context_.state.AdminCheckBoxes) {
    if (box && box->isChecked()) ticked.insert(box->text().toStdString());
  }
  ticked.erase(context_.state.AdminAccountName.toStdString());
  if (!OperatorTable()) return;
  RecordStore& store = context_.store;
  store.UnmarkDeleted([](RecordStore&) { return true; });
  store.MarkDeleted([&ticked](RecordStore& s) {
    return s.RecordNumber() > 1 && s.ReadText("管理权限") == kAdministrator &&
           ticked.count(s.ReadText("帐户名")) > 0;
  });
  const bool purged = store.Purge();
  ClearAdminList();
  BuildAdminList();
  if (!purged) {
    Tell(QStringLiteral("删除管理员失败，请关闭程序重新运行。"), QStringLiteral("失败"),
         MessageIcon::kError);
  }
}

void AdminSettingsWindow::ResetAdmin() {
  const bool tableOpen = OperatorTable();
  if (!oldPasswordEdit_->isEnabled() || !newPasswordEdit_->isEnabled()) {
    nameEdit_->clear();
    passwordEdit_->clear();
    oldPasswordEdit_->setEnabled(true);
    newPasswordEdit_->setEnabled(true);
    nameEdit_->setFocus();
  }
  if (!reduced_ && (!nameEdit_->isEnabled() || !passwordEdit_->isEnabled())) {
    oldPasswordEdit_->clear();
    newPasswordEdit_->clear();
    if (tableOpen && context_.store.RecordCount() < kMaxRecords) {
      nameEdit_->setEnabled(true);
      passwordEdit_->setEnabled(true);
    }
    oldPasswordEdit_->setFocus();
  }
  for (const QPointer<QCheckBox>& box : context_.state.AdminCheckBoxes) {
    if (box) box->setChecked(false);
  }
  context_.state.CheckedAdminCount = 0;
}

void AdminSettingsWindow::OnTyped(QLineEdit* box) {
  const bool addBox = box == nameEdit_ || box == passwordEdit_;
  (addBox ? oldPasswordEdit_ : nameEdit_)->setEnabled(false);
  (addBox ? newPasswordEdit_ : passwordEdit_)->setEnabled(false);
}

bool AdminSettingsWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box && TypesText(event)) {
    OnTyped(box);
    if (box == nameEdit_ &&
        GbkLength(nameEdit_->text().toStdString()) >= static_cast<std::size_t>(kNameRuleBytes)) {
      Tell(QStringLiteral("用户名长度不要超过7个字母或3个汉字！"), kInfo);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void AdminSettingsWindow::Tell(const QString& text, const QString& title, MessageIcon icon) {
  context_.services.messages.Show(this, {text, title, icon, MessageButtons::kOk});
}

}  // namespace tallyra
