#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace tallyra {

// Holds a text box, a drop-down list's text or a multi-line box to a limit in GBK bytes
// and to characters GBK can encode, for typed, pasted and input-method text alike: what
// goes beyond the limit is cut off and characters GBK cannot encode are dropped. A
// one-line box holds no control character (a line break or tab becomes a space first); a
// multi-line box keeps its line breaks only, and counts each as CR LF, two bytes, as it
// prints.
class GbkLimit final : public QObject {
  Q_OBJECT

 public:
  enum class Lines { kOne, kMany };

  int MaxBytes() const { return maxBytes_; }

  // The text cleaned of control characters, without characters GBK cannot encode, cut to
  // the limit.
  static QString Fit(const QString& text, int maxBytes, Lines lines,
                     bool* droppedCharacters = nullptr);

  // Puts a limit on a line edit, an editable combo box or a plain-text box and returns it.
  static GbkLimit* Attach(QWidget* field, int maxBytes);
  // The limit a field carries, or null.
  static const GbkLimit* Of(const QWidget* field);

 signals:
  // Input was cut or filtered; the text says why, for the status line.
  void Refused(const QString& hint) const;

 private:
  GbkLimit(int maxBytes, Lines lines, QWidget* field);
  // Fits a text in place and says whether it changed it; reports what it refused.
  bool FitInPlace(QString& text) const;
  // Says why a text had to change, when it was more than control characters.
  void ReportRefusal(const QString& text) const;
  void WatchPlainText(QPlainTextEdit* box);

  int maxBytes_;
  Lines lines_;
};

// Keeps control characters out of a one-line box that has no byte limit (digit cells,
// offset boxes), by the same rule.
void KeepOneLine(QLineEdit* box);

// The text a box holds as the forms print and count it: a multi-line box's line breaks
// become CR LF.
QString FieldText(const QWidget* field);

}  // namespace tallyra
