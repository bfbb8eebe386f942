#include "ui/gbk_limit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>
#include <algorithm>
#include <functional>

#include "data/gbk_text.h"

namespace tallyra {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Line edits and combo boxes take their limit through a validator, which sees typed,
// pasted and input-method text before it lands.
class GbkValidator final : public QValidator {
 public:
  GbkValidator(GbkLimit* limit, std::function<bool(QString&)> fit)
      : QValidator(limit), fit_(std::move(fit)) {}

  State validate(QString& input, int& pos) const override {
    if (fit_(input)) pos = std::min(pos, static_cast<int>(input.size()));
    return Acceptable;
  }

 private:
  std::function<bool(QString&)> fit_;
};

}  // namespace

GbkLimit::GbkLimit(int maxBytes, QWidget* field) : QObject(field), maxBytes_(maxBytes) {}

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

bool GbkLimit::FitInPlace(QString& text) const {
  bool dropped = false;
  const QString fitted = Fit(text, maxBytes_, &dropped);
  if (fitted == text) return false;
  text = fitted;
  emit Refused(
      dropped
          ? QStringLiteral("此处只能输入GBK汉字及字符！")
          : QStringLiteral("注意：此处最多可输入%1个字节，多出的内容未被接受！").arg(maxBytes_));
  return true;
}

GbkLimit* GbkLimit::Attach(QWidget* field, int maxBytes) {
  auto* limit = new GbkLimit(maxBytes, field);
  auto fit = [limit](QString& text) { return limit->FitInPlace(text); };
  if (auto* combo = qobject_cast<QComboBox*>(field)) {
    combo->setValidator(new GbkValidator(limit, fit));
  } else if (auto* edit = qobject_cast<QLineEdit*>(field)) {
    edit->setValidator(new GbkValidator(limit, fit));
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(field)) {
    limit->WatchPlainText(box);
  }
  return limit;
}

void GbkLimit::WatchPlainText(QPlainTextEdit* box) {
  // A multi-line box has no validator: the text is fitted right after each change, with
  // its line breaks counted as CR LF, and the cursor kept where it was.
  connect(box, &QPlainTextEdit::textChanged, this, [this, box] {
    QString text = box->toPlainText().replace(QLatin1Char('\n'), kCrLf);
    if (!FitInPlace(text)) return;
    text.replace(kCrLf, QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\r'))) text.chop(1);  // a break cut in half
    const int position = std::min(box->textCursor().position(), static_cast<int>(text.size()));
    {
      const QSignalBlocker blocker(box);
      box->setPlainText(text);
      QTextCursor cursor = box->textCursor();
      cursor.setPosition(position);
      box->setTextCursor(cursor);
    }
    emit box->textChanged();  // once, with the text that stands
  });
}

const GbkLimit* GbkLimit::Of(const QWidget* field) {
  return field ? field->findChild<GbkLimit*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QString FieldText(const QWidget* field) {
  if (auto* edit = qobject_cast<const QLineEdit*>(field)) return edit->text();
  if (auto* list = qobject_cast<const QComboBox*>(field)) return list->currentText();
  if (auto* box = qobject_cast<const QPlainTextEdit*>(field)) {
    return box->toPlainText().replace(QLatin1Char('\n'), kCrLf);
  }
  return {};
}

}  // namespace tallyra
