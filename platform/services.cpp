#include "platform/services.h"

namespace tallyra {

MessageAnswer MessageBoxes::Show(QWidget* parent, Message message) {
  if (message.title.isEmpty()) message.title = QStringLiteral("信息：");
  return Present(parent, message);
}

void MessageBoxes::ShowError(QWidget* parent, const QString& text) {
  Show(parent, {text, QStringLiteral("错误信息！"), MessageIcon::kError, MessageButtons::kOk});
}

QString FatalErrorText(int code, const QString& text) {
  QString box = QStringLiteral("运行时出错!\n\n");
  if (code != 0) box += QStringLiteral("错误代码：%1\n\n").arg(code);
  if (!text.isEmpty()) box += QStringLiteral("错误信息：") + text;
  return box.trimmed();
}

}  // namespace tallyra
