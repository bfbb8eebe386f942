#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/position_table.h"
#include "forms/print_engine.h"
#include "forms/windows/list_filler.h"
#include "ui/app_context.h"

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tallyra {

class CellRow;
struct CellRowSpec;
class ListBox;
class WindowKeys;

// One control of a window whose controls stand at given pixel positions.
struct ControlSpec {
  enum class Kind {
    kLabel,      // text: the caption
    kGroup,      // text: the title
    kTextBox,    // a GBK-limited text box of maxBytes
    kMultiLine,  // a GBK-limited multi-line box of maxBytes
    kComboBox,   // an editable drop-down list of maxBytes
    kDerived,    // a read-only box the program fills
    kInteger,    // digits and the minus sign typed, at most maxBytes characters
    kDate,       // a date box, today after New
    // The parts of the bottom bar, for windows that place it by pixel.
    kOperatorLine,   // 登录签
    kStatusLine,     // 警告签
    kNewButton,      // 按钮6
    kPrintButton,    // 按钮8
    kPreviewButton,  // 按钮预览
  };
  Kind kind;
  std::string name;
  const char* parent;  // the group it stands in, by name; "" for the window
  QRect rect;          // in the parent
  const char* text = "";
  int maxBytes = 0;
};

// What every bank-form and voucher window shares: registration as the current form, the
// operator line and status line, text fields held to their GBK limits with input hints,
// Enter moving the focus on and Esc closing the window, and New, Print and Preview. A
// window adds its own fields and parts (cell rows), its lists, its layout and offsets,
// and may check its content before printing. The bank forms' own parts are in
// BankFormWindow.
class FormWindow : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FormWindow)

 public:
  ~FormWindow() override;

  // The creation sequence, run by CreateForm once the window is built: close every
  // table, greet, New, fill the lists.
  void Created();

  void ResetForm();
  // Opened from the main window: the operator line it hands over, and the greeting on the
  // status line (the one at creation, where New shows another).
  void GreetOperator(const QString& operatorLine);
  void ShowInputHint(const QWidget* field);
  void Print();
  void Preview();

  QLabel* StatusLine() const { return statusLine_; }

 protected:
  FormWindow(AppContext& context, QWidget* owner, const QString& title, const QString& greeting);

  // Fields, cleared by New in the order they were added unless they keep their text.
  enum class OnNew { kClear, kKeep };
  QLineEdit* AddTextBox(QWidget* parent, const char* name, int maxBytes,
                        OnNew onNew = OnNew::kClear);
  QPlainTextEdit* AddMultiLineBox(QWidget* parent, const char* name, int maxBytes);
  ListBox* AddComboBox(QWidget* parent, const char* name, int maxBytes,
                       OnNew onNew = OnNew::kClear);
  QLineEdit* AddDerivedBox(QWidget* parent, const char* name);
  CellRow* AddCellRow(const CellRowSpec& desc, QWidget* parent);
  // New sets every date box to today, before it clears the fields.
  QDateEdit* AddDateBox(QWidget* parent, const char* name);
  // Builds a table of controls in order, each at its rectangle; New clears the fields
  // in that order.
  void BuildControls(const std::vector<ControlSpec>& table);
  // A step of its own for New, run where it was added in the order.
  void AddResetStep(std::function<void()> step) { resetSteps_.push_back(std::move(step)); }
  // The bottom bar: 登录签, New, Print, Preview and 警告签.
  QGroupBox* BuildBottomBar(const char* groupName);
  void SetFirstField(QWidget* field) { firstField_ = field; }
  // The status line New shows, when it differs from the greeting at creation.
  void SetNewGreeting(const QString& text) { newGreeting_ = text; }
  void SetInputHints(bool shown) { hintsShown_ = shown; }
  // Tab order through the controls in the order given.
  void SetTabOrder(const std::vector<QWidget*>& order);
  QWidget* Control(const char* name) const;

  // Runs in New after the fields were cleared, before the focus goes to the first field.
  virtual void FieldsReset() {}
  virtual void LoadLists() {}
  ListFiller& Lists() { return lists_; }
  // Runs after the current table is closed and before the confirmation; false stops
  // the print run.
  virtual bool CheckBeforePrint() { return true; }
  // What a check says when it stops the print run: the status line and an error box with
  // the text; false, for the check to return.
  bool RefusePrint(const QString& text);
  virtual const PrintLayout& Layout() const = 0;
  virtual OffsetSource Offsets() const = 0;

  // The texts of the controls a layout prints, by control name.
  FieldValues CollectFields(const PrintLayout& layout) const;
  AppContext& Context() const { return context_; }

 private:
  // Reads the offsets, prints (or previews) the layout with the window's texts and
  // closes the position table.
  void PrintRoutine(bool preview);
  QWidget* MakeBarPart(ControlSpec::Kind kind, QWidget* parent);

  AppContext& context_;
  FormRegistration registration_;
  ListFiller lists_;
  QString greeting_;
  QString newGreeting_;
  WindowKeys* keys_ = nullptr;
  QLabel* operatorLine_ = nullptr;
  QLabel* statusLine_ = nullptr;
  QPushButton* printButton_ = nullptr;
  QWidget* firstField_ = nullptr;
  std::vector<QDateEdit*> dateBoxes_;
  std::vector<std::function<void()>> resetSteps_;
  bool hintsShown_ = true;
};

// Builds a form window and runs its creation sequence.
template <typename Window>
Window* CreateForm(AppContext& context, QWidget* owner) {
  auto* window = new Window(context, owner);
  window->Created();
  return window;
}

}  // namespace tallyra
