#pragma once

#include <QString>
#include <QValidator>

class QWidget;

namespace tallyra {

// Holds a text box (or a drop-down list's text) to a limit in GBK bytes and to
// characters GBK can encode, for typed, pasted and input-method text alike: what goes
// beyond the limit is cut off and characters GBK cannot encode are dropped.
class GbkLimit final : public QValidator {
  Q_OBJECT

 public:
  GbkLimit(int maxBytes, QObject* parent);

  int MaxBytes() const { return maxBytes_; }
  State validate(QString& input, int& pos) const override;

  // The text cut to the limit, without characters GBK cannot encode.
  static QString Fit(const QString& text, int maxBytes, bool* droppedCharacters = nullptr);

 signals:
  // Input was cut or filtered; the text says why, for the status line.
  void Refused(const QString& hint) const;

 private:
  int maxBytes_;
};

// Puts a limit on a line edit or an editable combo box and returns it.
GbkLimit* LimitToGbkBytes(QWidget* field, int maxBytes);
// The limit a field carries, or null.
const GbkLimit* LimitOf(const QWidget* field);

}  // namespace tallyra
