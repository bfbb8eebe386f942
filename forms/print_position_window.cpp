#include "forms/print_position_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/gbk_text.h"
#include "forms/form_keys.h"

namespace tallyra {
namespace {

// Fields 1 … 12 show in 编辑框1 … 12; the cash deposit slip's pair in 编辑框14 and 15
// (编辑框13 is the notes).
QString BoxName(int field) {
  return QStringLiteral("编辑框%1").arg(field <= 12 ? field : field + 1);
}

const char* const kNotes[] = {
    "1、您所要调整的行号是否正确；",         "2、您所要调整的位置是上下,还是左右；",
    "3、上下调整值负数是向上，正数为向下；", "4、左右调整值负数为向左，正数为向右；",
    "5、每输入框可输入6位正负调整值；",      "6、每调整数值为：0.1毫米。",
};

QGroupBox* Group(QWidget* parent, const QString& name, const QString& title) {
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(name);
  return group;
}

}  // namespace

PrintPositionWindow::PrintPositionWindow(AppContext& context, QWidget* owner)
    : QWidget(owner, Qt::Window), context_(context), registration_(context.state, this) {
  setObjectName(QStringLiteral("PrintPositionWindow"));
  setWindowTitle(QStringLiteral("调整打印位置"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(689, 320);

  auto* grid = new QGridLayout;
  grid->addWidget(BuildFormGroup("分组框20", "调整现金交款打印位置 ", 13, false), 0, 0);
  grid->addWidget(BuildFormGroup("分组框1", "调整支票打印位置 ", 1, false), 0, 1);
  grid->addWidget(BuildFormGroup("分组框7", "调整电汇凭证打印位置 ", 5, false), 1, 0);
  grid->addWidget(BuildFormGroup("分组框10", "调整收款凭证打印位置 ", 7, false), 1, 1);
  grid->addWidget(BuildFormGroup("分组框13", "调整付款凭证打印位置 ", 9, false), 2, 0);
  grid->addWidget(BuildFormGroup("分组框16", "调整转帐凭证打印位置 ", 11, false), 2, 1);
  // The deposit slip has its own window; its pair is kept here only to be written back.
  BuildFormGroup("分组框4", "调整进帐单（有单独调整模块） ", 3, true);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 8);
  layout->addLayout(grid, 2);
  layout->addWidget(BuildNotes(), 1);

  for (int field = 1; field < kPositionFields; ++field) {
    setTabOrder(FieldBox(field), FieldBox(field + 1));
  }

  // Window created: register (done), close every table, show the stored offsets.
  context_.store.CloseAll();
  Load();
}

QWidget* PrintPositionWindow::BuildFormGroup(const char* name, const char* title, int xField,
                                             bool hidden) {
  // The inner groups are numbered after the outer one: x box in +2, y box in +1.
  const int number = QString::fromUtf8(name).mid(3).toInt();
  QGroupBox* group = Group(this, QString::fromUtf8(name), QString::fromUtf8(title));
  auto* row = new QHBoxLayout(group);
  row->setContentsMargins(6, 2, 6, 4);
  const struct {
    int innerNumber;
    const char* caption;
    int field;
  } axes[] = {{number + 2, "调整左右位置", xField}, {number + 1, "调整上下位置", xField + 1}};
  for (const auto& axis : axes) {
    QGroupBox* inner = Group(group, QStringLiteral("分组框%1").arg(axis.innerNumber),
                             QString::fromUtf8(axis.caption));
    auto* box = new QLineEdit(inner);
    box->setObjectName(BoxName(axis.field));
    box->setMaxLength(6);
    box->installEventFilter(this);
    auto* innerLayout = new QHBoxLayout(inner);
    innerLayout->setContentsMargins(4, 2, 4, 2);
    innerLayout->addWidget(box);
    row->addWidget(inner);
    boxes_[static_cast<std::size_t>(axis.field - 1)] = box;
  }
  if (hidden) {
    group->hide();
    group->setEnabled(false);
  }
  return group;
}

QWidget* PrintPositionWindow::BuildNotes() {
  QGroupBox* panel = Group(this, QStringLiteral("分组框19"), QString());
  auto* title = new QLabel(QStringLiteral("注 意 事 项"), panel);
  title->setObjectName(QStringLiteral("标签35"));
  title->setFont(QFont(QStringLiteral("楷体_GB2312"), 14));
  title->setAlignment(Qt::AlignCenter);
  auto* notes = new QPlainTextEdit(panel);
  notes->setObjectName(QStringLiteral("编辑框13"));
  QStringList lines;
  for (const char* line : kNotes) lines << QString::fromUtf8(line);
  notes->setPlainText(lines.join(QStringLiteral("\n\n")));
  notes->setReadOnly(true);
  notes->setFocusPolicy(Qt::NoFocus);

  QGroupBox* buttons = Group(panel, QStringLiteral("分组框25"), QString());
  auto* buttonRow = new QHBoxLayout(buttons);
  const struct {
    const char* name;
    const char* caption;
    void (PrintPositionWindow::*action)();
  } actions[] = {{"按钮1", "&S 保存", &PrintPositionWindow::Save},
                 {"按钮2", "&R 初始化", &PrintPositionWindow::Initialize},
                 {"按钮3", "&X 退出", &PrintPositionWindow::Exit}};
  for (const auto& action : actions) {
    auto* button = new QPushButton(QString::fromUtf8(action.caption), buttons);
    button->setObjectName(QString::fromUtf8(action.name));
    connect(button, &QPushButton::clicked, this, action.action);
    buttonRow->addWidget(button);
  }

  auto* layout = new QVBoxLayout(panel);
  layout->addWidget(title);
  layout->addWidget(notes, 1);
  layout->addWidget(buttons);
  return panel;
}

QLineEdit* PrintPositionWindow::FieldBox(int field) const {
  return boxes_.at(static_cast<std::size_t>(field - 1));
}

void PrintPositionWindow::Load() {
  RecordStore& store = context_.store;
  if (!store.Open("bsf\\" + std::string(kPositionTable), kPositionTablePassword)) {
    context_.services.messages.ShowError(this, QStringLiteral("无法打开打印位置文件：") +
                                                   QString::fromStdString(store.LastErrorText()));
  }
  for (int field = 1; field <= kPositionFields; ++field) {
    const double value = store.RecordCount() > 0 ? store.ReadNumber(field) : 0.0;
    FieldBox(field)->setText(QString::fromStdString(FormatNumber(value)));
  }
}

void PrintPositionWindow::Save() {
  std::vector<Value> values;
  std::vector<std::optional<Value>> changes;
  for (int field = 1; field <= kPositionFields; ++field) {
    const double value = NumericValue(FieldBox(field)->text().toStdString());
    values.emplace_back(value);
    changes.emplace_back(value);
  }
  RecordStore& store = context_.store;
  // The table is current while the window is open; reach it again if something closed it.
  bool saved = store.MakeCurrent(kPositionTable, kPositionTablePassword);
  if (saved) {
    store.First();
    saved = store.RecordCount() == 0 ? store.Append(values) : store.Modify(changes);
  }
  if (!saved) {
    context_.services.messages.ShowError(
        this, QStringLiteral("打印位置没有保存：") + QString::fromStdString(store.LastErrorText()));
  }
}

void PrintPositionWindow::Initialize() {
  for (QLineEdit* box : boxes_) box->setText(QStringLiteral("0"));
}

void PrintPositionWindow::Exit() {
  context_.store.CloseAll();
  close();
}

bool PrintPositionWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (FormKeyOf(event)) {
    case FormKey::kEnter:
      focusNextChild();
      return true;
    case FormKey::kEscape:  // closes like the title bar: the tables stay open
      close();
      return true;
    case FormKey::kOther:
      break;
  }
  return TypesNonDigit(event) || QWidget::eventFilter(watched, event);
}

}  // namespace tallyra
