#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

#include "ui/app_context.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tallyra {

// The start window: checks a user name and password against the operator table and
// allows three failures. On success the operator's record is left current.
class LoginWindow final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(LoginWindow)

 public:
  LoginWindow(AppContext& context, std::function<void()> onLoggedIn);

  void TryLogin();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Counts a failure; true when it was the third and the program ends.
  bool CountFailure();
  void ShowError(const QString& text);
  void ReleaseBird();

  AppContext& context_;
  std::function<void()> onLoggedIn_;
  QLineEdit* nameEdit_;
  QLineEdit* passwordEdit_;
  QPushButton* loginButton_;
  QPushButton* bird_;
  QLabel* balloon_;
  QPixmap background_;
};

}  // namespace tallyra
