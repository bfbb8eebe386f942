#include "platform/services.h"

namespace tallyra {

MessageAnswer MessageBoxes::Show(QWidget* parent, Message message) {
  if (message.title.isEmpty()) message.title = QStringLiteral("信息：");
  return Present(parent, message);
}

void MessageBoxes::ShowError(QWidget* parent, const QString& text) {
  Show(parent, {text, QStringLiteral("错误信息！"), MessageIcon::kError, MessageButtons::kOk});
}

}  // namespace tallyra
