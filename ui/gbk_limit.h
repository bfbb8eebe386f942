#pragma once

#include <QObject>
#include <QString>

class QPlainTextEdit;
class QWidget;

namespace tallyra {

// Holds a text box, a drop-down list's text or a multi-line box to a limit in GBK bytes
// and to characters GBK can encode, for typed, pasted and input-method text alike: what
// goes beyond the limit is cut off and characters GBK cannot encode are dropped. A
// multi-line box counts each line break as CR LF, two bytes, as it prints.
class GbkLimit final : public QObject {
  Q_OBJECT

 public:
  int MaxBytes() const { return maxBytes_; }

  // The text cut to the limit, without characters GBK cannot encode.
  static QString Fit(const QString& text, int maxBytes, bool* droppedCharacters = nullptr);

  // Puts a limit on a line edit, an editable combo box or a plain-text box and returns it.
  static GbkLimit* Attach(QWidget* field, int maxBytes);
  // The limit a field carries, or null.
  static const GbkLimit* Of(const QWidget* field);

 signals:
  // Input was cut or filtered; the text says why, for the status line.
  void Refused(const QString& hint) const;

 private:
  GbkLimit(int maxBytes, QWidget* field);
  // Fits a text in place; reports when it had to change it.
  bool FitInPlace(QString& text) const;
  void WatchPlainText(QPlainTextEdit* box);

  int maxBytes_;
};

// The text a box holds as the forms print and count it: a multi-line box's line breaks
// become CR LF.
QString FieldText(const QWidget* field);

}  // namespace tallyra
