#pragma once

#include <QString>
#include <QWidget>

#include "data/password_hash.h"
#include "ui/app_context.h"
#include "ui/program_state.h"
#include "ui/self_placing_window.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace tallyra {

// Manages the operator table: the super administrator adds and deletes administrators
// and changes his password; an ordinary administrator only changes his own password, in
// a reduced window. Ticking an administrator only chooses him: nothing is written until
// the deletion is confirmed, and then exactly the ticked administrators go.
class AdminSettingsWindow final : public QWidget, public SelfPlacingWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(AdminSettingsWindow)

 public:
  // accountName is the logged-in operator's; new passwords are hashed with limits.
  AdminSettingsWindow(AppContext& context, QWidget* owner, QString accountName,
                      HashLimits limits = HashLimits::Interactive());
  ~AdminSettingsWindow() override;

  void ConfirmAdmin();
  void ResetAdmin();
  bool IsReduced() const { return reduced_; }
  // The reduced window keeps to the centre of the screen.
  bool PlacesItself() const override { return reduced_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void OpenAdminWindow();
  void Reduce();
  bool OperatorTable();
  void BuildAdminList();
  void ClearAdminList();
  void ToggleAdmin(QCheckBox* box);
  void ChangePassword();
  // False when the addition stopped at a refusal.
  bool AddAdministrator(int recordCount);
  void DeleteTicked();
  bool HasAdministrator(const std::string& name);
  void OnTyped(QLineEdit* box);
  void Tell(const QString& text, const QString& title, MessageIcon icon = MessageIcon::kNone);

  AppContext& context_;
  FormRegistration registration_;
  HashLimits limits_;
  bool reduced_ = false;
  QGroupBox* addGroup_ = nullptr;
  QGroupBox* changeGroup_ = nullptr;
  QGroupBox* deleteGroup_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  QLineEdit* passwordEdit_ = nullptr;
  QLineEdit* oldPasswordEdit_ = nullptr;
  QLineEdit* newPasswordEdit_ = nullptr;
  QCheckBox* template_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  QPushButton* resetButton_ = nullptr;
};

}  // namespace tallyra
