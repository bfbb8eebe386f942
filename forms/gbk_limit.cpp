#include "forms/gbk_limit.h"

#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

#include "data/gbk_text.h"

namespace tallyra {

GbkLimit::GbkLimit(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

QString GbkLimit::Fit(const QString& text, int maxBytes, bool* droppedCharacters) {
  QString kept;
  bool dropped = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString character = text.mid(i, length);
    i += length - 1;
    if (IsGbkEncodable(character.toStdString())) {
      kept += character;
    } else {
      dropped = true;
    }
  }
  if (droppedCharacters) *droppedCharacters = dropped;
  const std::string utf8 = kept.toStdString();
  const auto limit = static_cast<std::size_t>(std::max(maxBytes, 0));
  return QString::fromStdString(std::string(CutToGbkBytes(utf8, limit)));
}

QValidator::State GbkLimit::validate(QString& input, int& pos) const {
  bool dropped = false;
  const QString fitted = Fit(input, maxBytes_, &dropped);
  if (fitted != input) {
    input = fitted;
    pos = std::min(pos, static_cast<int>(fitted.size()));
    emit Refused(
        dropped
            ? QStringLiteral("此处只能输入GBK汉字及字符！")
            : QStringLiteral("注意：此处最多可输入%1个字节，多出的内容未被接受！").arg(maxBytes_));
  }
  return Acceptable;
}

GbkLimit* LimitToGbkBytes(QWidget* field, int maxBytes) {
  auto* limit = new GbkLimit(maxBytes, field);
  if (auto* combo = qobject_cast<QComboBox*>(field)) {
    combo->setValidator(limit);
  } else if (auto* edit = qobject_cast<QLineEdit*>(field)) {
    edit->setValidator(limit);
  }
  return limit;
}

const GbkLimit* LimitOf(const QWidget* field) {
  if (auto* combo = qobject_cast<const QComboBox*>(field)) {
    return qobject_cast<const GbkLimit*>(combo->validator());
  }
  if (auto* edit = qobject_cast<const QLineEdit*>(field)) {
    return qobject_cast<const GbkLimit*>(edit->validator());
  }
  return nullptr;
}

}  // namespace tallyra
