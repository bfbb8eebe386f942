#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "forms/position_table.h"
#include "forms/print_engine.h"

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tallyra {

class DigitRow;

// What every bank-form window shares: registration as the current form, the operator
// line and status line, text fields held to their GBK limits with input hints, the digit
// row with the amount in figures and capitals, the date in capitals, New, Print and
// Preview, Enter moving the focus on and Esc closing the window.
class FormWindow : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FormWindow)

 public:
  ~FormWindow() override;

  void ResetForm();
  void RecomputeAmount();
  void ShowInputHint(const QWidget* field);
  void Print();
  void Preview();

  QLabel* StatusLine() const { return statusLine_; }
  DigitRow* Digits() const { return digits_; }

 protected:
  FormWindow(AppContext& context, QWidget* owner, const QString& title, const QString& greeting);

  // Building blocks for the concrete window; each field is cleared by ResetForm.
  QLineEdit* AddTextBox(QWidget* parent, const char* name, int maxBytes);
  QComboBox* AddComboBox(QWidget* parent, const char* name, int maxBytes);
  QLineEdit* AddDerivedBox(QWidget* parent, const char* name);
  DigitRow* AddDigitRow(QWidget* parent);
  QDateEdit* AddDateBox(QWidget* parent);
  void AddCapitalDateBoxes(QLineEdit* year, QLineEdit* month, QLineEdit* day);
  void SetAmountBoxes(QLineEdit* figure, QLineEdit* capitals);
  // The bottom bar: 登录签, New, Print, Preview and 警告签.
  QGroupBox* BuildBottomBar(const char* groupName);
  void SetFirstField(QWidget* field) { firstField_ = field; }

  // The creation sequence; the concrete window calls it at the end of its constructor.
  void Created();
  virtual void LoadLists() {}
  // Runs the form's print routine on the device; Print and Preview share it.
  virtual void PrintRoutine(bool preview) = 0;

  // The print routine of a form with one offset pair: reads the pair from the position
  // table, prints (or previews) the layout with the window's texts, closes the table.
  void PrintWithOffsetPair(const PrintLayout& layout, OffsetPair pair, bool preview);
  // The texts of the controls the layout prints, by control name.
  FieldValues CollectFields(const PrintLayout& layout) const;

  void LoadReferenceList(const std::string& file, const std::string& field, QComboBox* list);
  void LoadAccountList(const std::string& file, QComboBox* list);
  // Opens a table and visits its records from the first to the last.
  void ForEachRecord(const std::string& file, const std::function<void(RecordStore&)>& visit);

  AppContext& Context() const { return context_; }
  QDateEdit* DateBox() const { return dateBox_; }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectFields();

  AppContext& context_;
  FormRegistration registration_;
  QString greeting_;
  QLabel* operatorLine_ = nullptr;
  QLabel* statusLine_ = nullptr;
  QPushButton* printButton_ = nullptr;
  QWidget* firstField_ = nullptr;
  DigitRow* digits_ = nullptr;
  QDateEdit* dateBox_ = nullptr;
  QLineEdit* figureBox_ = nullptr;
  QLineEdit* capitalsBox_ = nullptr;
  QLineEdit* dateCapitals_[3] = {nullptr, nullptr, nullptr};
  std::vector<QLineEdit*> clearedEdits_;
  std::vector<QComboBox*> clearedLists_;
  bool recomputing_ = false;
};

}  // namespace tallyra
