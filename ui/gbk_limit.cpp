#include "ui/gbk_limit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>
#include <algorithm>
#include <functional>
#include <limits>

#include "data/gbk_text.h"

namespace tallyra {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Line edits and combo boxes take their limit through a validator, which sees typed,
// pasted and input-method text before it lands.
class FittingValidator final : public QValidator {
 public:
  using Fitting = std::function<QString(const QString&)>;
  using Report = std::function<void(const QString& input)>;
  FittingValidator(QObject* parent, Fitting fit, Report report = {})
      : QValidator(parent), fit_(std::move(fit)), report_(std::move(report)) {}

  State validate(QString& input, int& pos) const override {
    const QString fitted = fit_(input);
    if (fitted == input) return Acceptable;
    if (report_) report_(input);
    // The cursor stays after what was typed or pasted, as far as it was kept.
    pos = static_cast<int>(std::min(fit_(input.left(pos)).size(), fitted.size()));
    input = fitted;
    return Acceptable;
  }

 private:
  Fitting fit_;
  Report report_;
};

QString Cleaned(const QString& text, GbkLimit::Lines lines) {
  const std::string utf8 = text.toStdString();
  return QString::fromStdString(lines == GbkLimit::Lines::kOne ? CleanOneLine(utf8)
                                                               : CleanMultiLine(utf8));
}

}  // namespace

GbkLimit::GbkLimit(int maxBytes, Lines lines, QWidget* field)
    : QObject(field), maxBytes_(maxBytes), lines_(lines) {}

QString GbkLimit::Fit(const QString& text, int maxBytes, Lines lines, bool* droppedCharacters) {
  bool dropped = false;
  const std::string kept = KeepGbkCharacters(Cleaned(text, lines).toStdString(), &dropped);
  if (droppedCharacters) *droppedCharacters = dropped;
  const auto limit = static_cast<std::size_t>(std::max(maxBytes, 0));
  return QString::fromStdString(std::string(CutToGbkBytes(kept, limit)));
}

bool GbkLimit::FitInPlace(QString& text) const {
  const QString fitted = Fit(text, maxBytes_, lines_);
  if (fitted == text) return false;
  ReportRefusal(text);
  text = fitted;
  return true;
}

void GbkLimit::ReportRefusal(const QString& text) const {
  bool dropped = false;
  const QString whole = Fit(text, std::numeric_limits<int>::max(), lines_, &dropped);
  // A line break or a control character cleaned away is no refusal: nothing is said.
  if (dropped) {
    emit Refused(QStringLiteral("此处只能输入GBK汉字及字符！"));
  } else if (GbkLength(whole.toStdString()) > static_cast<std::size_t>(maxBytes_)) {
    emit Refused(
        QStringLiteral("注意：此处最多可输入%1个字节，多出的内容未被接受！").arg(maxBytes_));
  }
}

GbkLimit* GbkLimit::Attach(QWidget* field, int maxBytes) {
  auto* box = qobject_cast<QPlainTextEdit*>(field);
  auto* limit = new GbkLimit(maxBytes, box ? Lines::kMany : Lines::kOne, field);
  const auto fit = [limit](const QString& text) {
    return Fit(text, limit->maxBytes_, limit->lines_);
  };
  const auto report = [limit](const QString& text) { limit->ReportRefusal(text); };
  if (auto* combo = qobject_cast<QComboBox*>(field)) {
    combo->setValidator(new FittingValidator(limit, fit, report));
  } else if (auto* edit = qobject_cast<QLineEdit*>(field)) {
    edit->setValidator(new FittingValidator(limit, fit, report));
  } else if (box) {
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

void KeepOneLine(QLineEdit* box) {
  box->setValidator(new FittingValidator(
      box, [](const QString& text) { return Cleaned(text, GbkLimit::Lines::kOne); }));
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
