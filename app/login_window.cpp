#include "app/login_window.h"

#include <QCursor>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QResource>
#include <QTimer>
#include <algorithm>
#include <cctype>

#include "data/catalogue.h"
#include "data/password_hash.h"
#include "ui/form_keys.h"

namespace tallyra {
namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const char* text, QRect geometry) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(QString::fromUtf8(name));
  label->setGeometry(geometry);
  label->setAttribute(Qt::WA_TranslucentBackground);
  return label;
}

// The next number of a PPM header at `at`, after any white space; -1 if there is none.
int HeaderNumber(const QByteArray& data, qsizetype& at) {
  while (at < data.size() && std::isspace(static_cast<unsigned char>(data[at]))) ++at;
  int value = -1;
  while (at < data.size() && std::isdigit(static_cast<unsigned char>(data[at])) && value < 65536) {
    value = std::max(value, 0) * 10 + (data[at++] - '0');
  }
  return value;
}

// The background is a binary PPM kept uncompressed in the program: its pixels are used
// where they lie, without an image decoder, which took a tenth of the start-up.
QPixmap RawPicture(const QString& path) {
  const QByteArray data = QResource(path).uncompressedData();
  qsizetype at = 2;
  const int width = data.startsWith("P6") ? HeaderNumber(data, at) : -1;
  const int height = HeaderNumber(data, at);
  const int maximum = HeaderNumber(data, at);
  ++at;  // the one white space byte before the pixels
  if (width <= 0 || height <= 0 || maximum != 255 ||
      data.size() - at < qsizetype{3} * width * height) {
    return QPixmap(path);  // not what we store: let the decoder have it
  }
  const QImage image(reinterpret_cast<const uchar*>(data.constData() + at), width, height,
                     3 * width, QImage::Format_RGB888);
  return QPixmap::fromImage(image);
}

// Read by Qt's own PNG reader alone: asked to find a reader, Qt loads every image format
// plugin (JPEG, GIF, ICO...) at start-up to ask each.
QPixmap PngPicture(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

bool IsEnter(const QEvent* event) { return FormKeyOf(event) == FormKey::kEnter; }

}  // namespace

LoginWindow::LoginWindow(AppContext& context, std::function<void()> onLoggedIn)
    : context_(context),
      onLoggedIn_(std::move(onLoggedIn)),
      nameEdit_(new QLineEdit(this)),
      passwordEdit_(new QLineEdit(this)),
      loginButton_(new QPushButton(this)),
      bird_(new QPushButton(this)),
      balloon_(new QLabel(this, Qt::ToolTip)) {
  setObjectName(QStringLiteral("LoginWindow"));
  setWindowTitle(QString());
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowModality(Qt::ApplicationModal);
  setFixedSize(457, 320);
  background_ = RawPicture(QStringLiteral(":/pictures/login_background.ppm"));

  nameEdit_->setObjectName(QStringLiteral("登录名编辑框"));
  nameEdit_->setGeometry(332, 246, 72, 24);
  passwordEdit_->setObjectName(QStringLiteral("登录密码编辑框"));
  passwordEdit_->setGeometry(332, 278, 72, 24);
  passwordEdit_->setEchoMode(QLineEdit::Password);
  AddLabel(this, "透明标签4", "用户名：", {276, 246, 48, 24});
  AddLabel(this, "透明标签5", "密  码：", {276, 278, 48, 24});
  loginButton_->setObjectName(QStringLiteral("首页登陆按钮"));
  loginButton_->setGeometry(412, 246, 24, 56);
  loginButton_->setAutoDefault(false);
  // The caption wraps at its spaces, one character a line, as a narrow button shows it.
  auto* caption = new QLabel(QStringLiteral("登  陆"), loginButton_);
  caption->setWordWrap(true);
  caption->setAlignment(Qt::AlignCenter);
  caption->setGeometry(loginButton_->rect().adjusted(2, 2, -2, -2));
  caption->setAttribute(Qt::WA_TransparentForMouseEvents);
  setTabOrder(nameEdit_, passwordEdit_);
  setTabOrder(passwordEdit_, loginButton_);

  bird_->setObjectName(QStringLiteral("麻雀"));
  bird_->setGeometry(213, 247, 54, 54);
  bird_->setIcon(QIcon(PngPicture(QStringLiteral(":/pictures/bird.png"))));
  bird_->setIconSize(QSize(54, 54));
  bird_->setFlat(true);
  bird_->setFocusPolicy(Qt::NoFocus);
  bird_->setStyleSheet(QStringLiteral("border: none; background: transparent;"));

  balloon_->setObjectName(QStringLiteral("气球提示框1"));
  balloon_->setText(QStringLiteral("呵呵，喜欢吗？都飞走了工作吧！"));
  balloon_->setStyleSheet(QStringLiteral(
      "background: #ffffe1; color: black; border: 1px solid #767676; border-radius: 6px;"
      "padding: 6px;"));
  balloon_->hide();

  nameEdit_->installEventFilter(this);
  passwordEdit_->installEventFilter(this);
  bird_->installEventFilter(this);
  connect(loginButton_, &QPushButton::clicked, this, &LoginWindow::TryLogin);
  WindowKeys::EscClosesWindow(this);
  nameEdit_->setFocus();
}

bool LoginWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == nameEdit_ && IsEnter(event)) {
    if (passwordEdit_->text().isEmpty()) {
      passwordEdit_->setFocus();
    } else {
      TryLogin();
    }
    return true;
  }
  if (watched == passwordEdit_ && IsEnter(event)) {
    TryLogin();
    return true;
  }
  if (watched == bird_) {
    if (event->type() == QEvent::Enter) context_.services.sound.PlayChirp();
    if (event->type() == QEvent::MouseButtonDblClick) {
      ReleaseBird();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void LoginWindow::ReleaseBird() {
  bird_->hide();
  // Sized only now: laying out its text at start-up would load glyphs the login
  // window does not show.
  balloon_->adjustSize();
  balloon_->move(QCursor::pos());
  balloon_->show();
  QTimer::singleShot(5000, balloon_, &QWidget::hide);
}

void LoginWindow::TryLogin() {
  RecordStore& store = context_.store;
  // From the second attempt on the table is already open: Open fails harmlessly.
  store.Open("bsf\\" + std::string(kOperatorTable), kOperatorTablePassword);

  const QString name = nameEdit_->text();
  const QString password = passwordEdit_->text();
  if (name.isEmpty() || password.isEmpty()) {
    ShowError(QStringLiteral("用户名或登录密码不能为空，请重新输入。"));
    (name.isEmpty() ? nameEdit_ : passwordEdit_)->setFocus();
    CountFailure();
    return;
  }

  const std::string wanted = name.toStdString();
  store.First();
  const bool found =
      store.Search([&wanted](RecordStore& s) { return s.ReadText("帐户名") == wanted; });
  if (found && VerifyPassword(store.ReadText("帐户密码"), password.toStdString())) {
    if (onLoggedIn_) onLoggedIn_();
    close();
    return;
  }
  if (!CountFailure()) ShowError(QStringLiteral("输入错误，请重新输入！"));
}

bool LoginWindow::CountFailure() {
  ProgramState& state = context_.state;
  if (++state.LoginFailures < 3) return false;
  ShowError(QStringLiteral("失败已超3次，程序将被关闭！"));
  context_.store.CloseAll();
  CloseCurrentForm(state);
  context_.services.process.EndProgram();
  return true;
}

void LoginWindow::ShowError(const QString& text) {
  context_.services.messages.ShowError(this, text);
}

void LoginWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), background_);
}

}  // namespace tallyra
