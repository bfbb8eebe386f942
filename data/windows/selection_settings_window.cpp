#include "data/windows/selection_settings_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "data/windows/table_editor_window.h"
#include "ui/controls.h"
#include "ui/form_keys.h"

namespace tallyra {
namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

// A radio button, its table file, whether it opens the file before the editor does, and
// the groups whose captions come before its own in the editor's caption.
struct ChoiceSpec {
  const char* radio;
  const char* caption;
  const char* file;
  bool opensFirst;
  std::vector<const char*> captionGroups;
};

const std::vector<ChoiceSpec>& Choices() {
  static const std::vector<ChoiceSpec> choices = {
      {"单选框1", "本方全称", "Bfqc.bsf", true, {}},
      {"单选框2", "本方银行", "Bfyh.bsf", true, {}},
      {"单选框3", "本方账号", "Bfzh.bsf", true, {}},
      {"单选框4", "本方地址", "Bfdd.bsf", true, {}},
      {"单选框5", "对方全称", "Dfqc.bsf", true, {}},
      {"单选框6", "对方银行", "Dfyh.bsf", true, {}},
      {"单选框7", "对方账号", "Dfzh.bsf", true, {}},
      {"单选框8", "对方地址", "Dfdd.bsf", true, {}},
      {"单选框21", "款项来源", "Kxlyk.bsf", false, {}},
      {"单选框9", "借方科目", "Sjfkm.bsf", false, {"分组框5"}},
      {"单选框10", "总帐科目", "Szzkm.bsf", false, {"分组框5"}},
      {"单选框11", "明细科目", "Smxkm.bsf", false, {"分组框5"}},
      {"单选框12", "贷方科目", "Fdfkm.bsf", false, {"分组框6"}},
      {"单选框13", "总帐科目", "Fzzkm.bsf", false, {"分组框6"}},
      {"单选框14", "明细科目", "Fmxkm.bsf", false, {"分组框6"}},
      {"单选框15", "总帐科目", "Zjzzkm.bsf", false, {"分组框7", "分组框8"}},
      {"单选框16", "明细科目", "Zjmxkm.bsf", false, {"分组框7", "分组框8"}},
      {"单选框17", "总帐科目", "Zdzzkm.bsf", false, {"分组框7", "分组框9"}},
      {"单选框18", "明细科目", "Zdmxkm.bsf", false, {"分组框7", "分组框9"}},
  };
  return choices;
}

// The group boxes as they nest: radio buttons (indexes into Choices()) or inner groups,
// laid side by side (or, for the transfer voucher's two sides, in one column).
struct GroupSpec {
  const char* name;
  const char* caption;
  std::vector<int> radios;
  std::vector<int> groups;  // indexes into Groups()
  bool vertical = false;
};

const std::vector<GroupSpec>& Groups() {
  static const std::vector<GroupSpec> groups = {
      {"分组框1", "请选择维护的内容", {}, {1, 5}, true},  // 0
      {"分组框3", "双方信息", {}, {2, 3, 4}},             // 1
      {"分组框2", "本方信息", {0, 1, 2, 3}, {}, true},    // 2
      {"分组框4", "对方信息", {4, 5, 6, 7}, {}, true},    // 3
      {"分组框10", "", {8}, {}, true},                    // 4
      {"", "", {}, {6, 7, 8}},                            // 5: the voucher row
      {"分组框5", "收款凭证", {9, 10, 11}, {}, true},     // 6
      {"分组框6", "付款凭证", {12, 13, 14}, {}, true},    // 7
      {"分组框7", "转帐凭证", {}, {9, 10}},               // 8
      {"分组框8", "借方", {15, 16}, {}, true},            // 9
      {"分组框9", "贷方", {17, 18}, {}, true},            // 10
  };
  return groups;
}

}  // namespace

SelectionSettingsWindow::SelectionSettingsWindow(AppContext& context, QWidget* owner)
    : QWidget(owner, Qt::Window), context_(context) {
  setObjectName(QStringLiteral("SelectionSettingsWindow"));
  setWindowTitle(QStringLiteral("选择内容设置"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(550, 297);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 8);
  layout->addWidget(BuildGroup(this, 0));

  auto* keys = new WindowKeys(this, WindowKeys::Esc::kClosesWindow);
  keys->WatchControls();

  // A window registered already is closed and this one stays unregistered; else this
  // window is the registered one.
  if (context_.state.CurrentForm) {
    CloseCurrentForm(context_.state);
  } else {
    registration_.emplace(context_.state, this);
  }
}

TableEditorWindow* SelectionSettingsWindow::Editor() const { return editor_; }

QWidget* SelectionSettingsWindow::BuildGroup(QWidget* parent, int group) {
  const GroupSpec& desc = Groups()[static_cast<std::size_t>(group)];
  QWidget* box =
      *desc.name ? Group(parent, Utf8(desc.name), Utf8(desc.caption)) : new QWidget(parent);
  // The window is small: the four-choice groups take two columns, margins stay tight.
  auto* layout = new QGridLayout(box);
  layout->setContentsMargins(*desc.name ? QMargins(6, 2, 6, 4) : QMargins());
  layout->setSpacing(4);
  int cell = 0;
  for (int inner : desc.groups) {
    QWidget* built = BuildGroup(box, inner);
    desc.vertical ? layout->addWidget(built, cell++, 0) : layout->addWidget(built, 0, cell++);
  }
  const int columns = desc.radios.size() == 4 ? 2 : 1;
  for (int choice : desc.radios) {
    const ChoiceSpec& radio = Choices()[static_cast<std::size_t>(choice)];
    auto* button = new QRadioButton(Utf8(radio.caption), box);
    button->setObjectName(Utf8(radio.radio));
    layout->addWidget(button, cell / columns, cell % columns);
    ++cell;
    connect(button, &QRadioButton::clicked, this, [this, choice] { EditTable(choice); });
  }
  return box;
}

QString SelectionSettingsWindow::CaptionOf(int choice) const {
  const ChoiceSpec& desc = Choices()[static_cast<std::size_t>(choice)];
  QString caption;
  for (const char* group : desc.captionGroups) {
    caption += findChild<QGroupBox*>(Utf8(group))->title();
  }
  return caption + findChild<QRadioButton*>(Utf8(desc.radio))->text();
}

void SelectionSettingsWindow::EditTable(int choice) {
  const ChoiceSpec& desc = Choices()[static_cast<std::size_t>(choice)];
  // One editor at a time: the grid reads the store's current table.
  if (editor_) editor_->close();
  if (desc.opensFirst) context_.store.Open("bsf\\" + std::string(desc.file));
  ProgramState& state = context_.state;
  state.TableEditorFile = state.ProgramDir + QStringLiteral("\\bsf\\") + Utf8(desc.file);
  state.TableEditorProvider = QStringLiteral("数据库提供者1");
  state.TableEditorTitle = CaptionOf(choice);
  editor_ = new TableEditorWindow(context_, parentWidget());
  editor_->move(pos() + QPoint(24, 24));  // over this window, not over the main window's menu
  editor_->show();
}

}  // namespace tallyra
