#include "app/first_run_window.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/catalogue.h"
#include "data/gbk_text.h"
#include "data/password_hash.h"

namespace tallyra {
namespace {

constexpr std::size_t kMaxNameBytes = 7;

}  // namespace

FirstRunWindow::FirstRunWindow(AppContext& context, QWidget* parent)
    : QDialog(parent),
      context_(context),
      nameEdit_(new QLineEdit(this)),
      passwordEdit_(new QLineEdit(this)),
      repeatEdit_(new QLineEdit(this)),
      sampleBox_(
          new QCheckBox(QStringLiteral("载入示例数据（单位、账号、银行、地址、科目）"), this)) {
  setObjectName(QStringLiteral("FirstRunWindow"));
  setWindowTitle(QStringLiteral("首次使用：设置超级管理员"));
  nameEdit_->setObjectName(QStringLiteral("超级管理员帐户名编辑框"));
  passwordEdit_->setObjectName(QStringLiteral("超级管理员密码编辑框"));
  repeatEdit_->setObjectName(QStringLiteral("超级管理员确认密码编辑框"));
  sampleBox_->setObjectName(QStringLiteral("示例数据复选框"));
  passwordEdit_->setEchoMode(QLineEdit::Password);
  repeatEdit_->setEchoMode(QLineEdit::Password);
  sampleBox_->setChecked(true);

  auto* intro = new QLabel(
      QStringLiteral("欢迎使用 Tallyra。程序还没有操作员，请设置超级管理员的帐户名和密码。\n"
                     "超级管理员可以维护下拉选项、调整打印位置并管理其他操作员。"),
      this);
  intro->setWordWrap(true);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("帐户名："), nameEdit_);
  form->addRow(QStringLiteral("密码："), passwordEdit_);
  form->addRow(QStringLiteral("确认密码："), repeatEdit_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("首次使用确定按钮"));
  buttons->addButton(QStringLiteral("退出"), QDialogButtonBox::RejectRole);
  connect(ok, &QPushButton::clicked, this, &FirstRunWindow::Confirm);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addLayout(form);
  layout->addWidget(sampleBox_);
  layout->addWidget(buttons);
  setFixedWidth(400);
  nameEdit_->setFocus();
}

bool FirstRunWindow::Refuse(const QString& text, QLineEdit* focus) {
  context_.services.messages.Show(this, {text, {}, MessageIcon::kWarning, MessageButtons::kOk});
  focus->setFocus();
  return false;
}

void FirstRunWindow::Confirm() {
  const std::string name = nameEdit_->text().toStdString();
  const std::string password = passwordEdit_->text().toStdString();
  if (name.empty() || password.empty()) {
    Refuse(QStringLiteral("帐户名和密码都不能为空。"), name.empty() ? nameEdit_ : passwordEdit_);
    return;
  }
  if (GbkLength(name) > kMaxNameBytes) {
    Refuse(QStringLiteral("用户名长度不要超过7个字母或3个汉字！"), nameEdit_);
    return;
  }
  if (!IsGbkEncodable(name) || !IsGbkEncodable(password)) {
    Refuse(QStringLiteral("此处只能输入GBK汉字及字符！"), nameEdit_);
    return;
  }
  if (passwordEdit_->text() != repeatEdit_->text()) {
    Refuse(QStringLiteral("两次输入的密码不一致，请重新输入。"), repeatEdit_);
    return;
  }

  RecordStore& store = context_.store;
  std::string error;
  bool written = store.Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword) &&
                 store.Append({name, HashPassword(password), std::string("超级管理员")});
  if (!written) error = store.LastErrorText();
  store.CloseAll();
  if (written && sampleBox_->isChecked()) written = LoadSampleData(store, &error);
  store.CloseAll();
  if (!written) {
    context_.services.messages.ShowError(
        this, QStringLiteral("无法写入数据文件：") + QString::fromStdString(error));
    return;
  }
  accept();
}

}  // namespace tallyra
