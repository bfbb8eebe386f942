#include "forms/windows/position_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "data/gbk_text.h"
#include "forms/calibration_sheet.h"
#include "platform/print_service.h"
#include "ui/controls.h"
#include "ui/form_keys.h"
#include "ui/gbk_limit.h"

namespace tallyra {
namespace {

constexpr int kBoxCharacters = 6;

const char* const kNotes[] = {
    "1、您所要调整的行号是否正确；",         "2、您所要调整的位置是上下,还是左右；",
    "3、上下调整值负数是向上，正数为向下；", "4、左右调整值负数为向左，正数为向右；",
    "5、每输入框可输入6位正负调整值；",      "6、每调整数值为：0.1毫米。",
};

QString Utf8(const char* text) { return QString::fromUtf8(text); }

// A button may be narrower than the style's usual minimum, never narrower than its caption.
void FitToCaption(QPushButton* button) {
  button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 10);
}

// Room for the six characters a box takes, the widest value -99999 included.
int SixCharacterWidth(const QWidget* box) {
  return box->fontMetrics().horizontalAdvance(QStringLiteral("-99999")) + 12;
}

}  // namespace

PositionWindow::PositionWindow(AppContext& context, QWidget* owner, PositionWindowSpec desc)
    : QWidget(owner, Qt::Window),
      context_(context),
      registration_(context.state, this),
      spec_(std::move(desc)),
      boxes_(static_cast<std::size_t>(spec_.table.count), nullptr) {
  setObjectName(Utf8(spec_.objectName));
  setWindowTitle(Utf8(spec_.title));
  setAttribute(Qt::WA_DeleteOnClose);
  // The groups and the notes fill the window's given size; the calibration row gets a
  // row of its own below it.
  auto* grid = new QGridLayout;
  grid->setContentsMargins(6, 6, 6, 0);
  grid->setSpacing(4);
  for (const PositionGroupSpec& group : spec_.groups) {
    QWidget* built = BuildGroup(group);
    if (!group.hidden) grid->addWidget(built, group.row, group.column, 1, group.columnSpan);
  }
  grid->addWidget(BuildNotes(), 0, spec_.notesColumn, spec_.notesRowSpan, 1);
  // The groups keep the room their contents need; the notes take the rest.
  grid->setColumnStretch(spec_.notesColumn, 1);
  auto* givenArea = new QWidget(this);
  givenArea->setLayout(grid);
  givenArea->setGeometry(0, 0, spec_.size.width(), spec_.size.height());

  QWidget* sheetRow = BuildSheetRow(this);
  const int rowHeight = sheetRow->sizeHint().height();
  sheetRow->setGeometry(6, spec_.size.height() + 2, spec_.size.width() - 12, rowHeight);
  setFixedSize(spec_.size.width(), spec_.size.height() + rowHeight + 8);

  std::vector<QWidget*> order;
  for (int field : spec_.tabOrder) order.push_back(FieldBox(field));
  for (const char* name : {"按钮1", "按钮2", "按钮3", "测试表单组合框", "按钮4", "按钮5"}) {
    if (auto* widget = findChild<QWidget*>(Utf8(name))) order.push_back(widget);
  }
  for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);

  // Enter and Esc for every control, wherever the focus is; Esc closes like the title
  // bar, leaving the tables open.
  auto* keys = new WindowKeys(
      this, spec_.escCloses ? WindowKeys::Esc::kClosesWindow : WindowKeys::Esc::kIgnored);
  keys->WatchControls();

  // Window created: register (done), close every table, show the stored offsets.
  context_.store.CloseAll();
  Load();
}

QWidget* PositionWindow::BuildGroup(const PositionGroupSpec& desc) {
  QGroupBox* group = Group(this, Utf8(desc.name), Utf8(desc.caption));
  auto* row = new QHBoxLayout(group);
  row->setContentsMargins(3, 2, 3, 3);
  row->setSpacing(4);
  for (const PositionInnerSpec& inner : desc.inner) row->addWidget(BuildInner(group, inner));
  if (desc.hidden) {
    group->hide();
    group->setEnabled(false);
  }
  return group;
}

QWidget* PositionWindow::BuildInner(QWidget* parent, const PositionInnerSpec& desc) {
  QGroupBox* inner = Group(parent, Utf8(desc.name), Utf8(desc.caption));
  auto* grid = new QGridLayout(inner);
  grid->setContentsMargins(4, 2, 4, 2);
  grid->setHorizontalSpacing(3);
  grid->setVerticalSpacing(2);
  // Boxes with a label beside them stand one under the other; boxes under a label (the
  // digit cells) run in one row below them, one cell each.
  auto* cells = new QGridLayout;
  cells->setHorizontalSpacing(3);
  cells->setVerticalSpacing(1);
  int beside = 0;
  int above = 0;
  for (const PositionBoxSpec& spec_box : desc.boxes) {
    auto* box = new QLineEdit(inner);
    box->setObjectName(Utf8(spec_box.name));
    box->setMaxLength(kBoxCharacters);
    KeepOneLine(box);
    TypeDigitsOnly(box);
    box->setMinimumWidth(SixCharacterWidth(box));
    boxes_.at(static_cast<std::size_t>(spec_box.field - spec_.table.firstField)) = box;
    auto* label = *spec_box.label ? new QLabel(Utf8(spec_box.label), inner) : nullptr;
    if (spec_box.labelAbove) {
      box->setFixedWidth(SixCharacterWidth(box));
      label->setAlignment(Qt::AlignCenter);
      cells->addWidget(label, 0, above);
      cells->addWidget(box, 1, above++);
    } else {
      if (label) grid->addWidget(label, beside, 0);
      grid->addWidget(box, beside++, 1);
    }
  }
  if (above > 0) {
    grid->addLayout(cells, beside, 0, 1, 2);
  } else {
    delete cells;
  }
  return inner;
}

QWidget* PositionWindow::BuildNotes() {
  QGroupBox* panel = Group(this, Utf8(spec_.notesPanel), QString());
  QLabel* title = Caption(panel, QStringLiteral("标签35"), QStringLiteral("注 意 事 项"));
  title->setFont(QFont(QStringLiteral("楷体_GB2312"), 14));
  title->setAlignment(Qt::AlignCenter);
  auto* notes = new QPlainTextEdit(panel);
  notes->setObjectName(Utf8(spec_.notesBox));
  QStringList lines;
  for (const char* line : kNotes) lines << Utf8(line);
  notes->setPlainText(lines.join(QStringLiteral("\n\n")));
  notes->setReadOnly(true);
  notes->document()->setDocumentMargin(2);
  // The notes wrap at the box's width and are all in view: there is nothing to scroll to.
  notes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  notes->setFocusPolicy(Qt::NoFocus);

  QGroupBox* buttons = Group(panel, QStringLiteral("分组框25"), QString());
  auto* buttonRow = new QHBoxLayout(buttons);
  const struct {
    const char* name;
    const char* caption;
    void (PositionWindow::*action)();
  } actions[] = {{"按钮1", "&S 保存", &PositionWindow::Save},
                 {"按钮2", "&R 初始化", &PositionWindow::Initialize},
                 {"按钮3", "&X 退出", &PositionWindow::Exit}};
  for (const auto& action : actions) {
    auto* button = new QPushButton(Utf8(action.caption), buttons);
    button->setObjectName(Utf8(action.name));
    connect(button, &QPushButton::clicked, this, action.action);
    FitToCaption(button);
    buttonRow->addWidget(button);
  }
  buttonRow->setContentsMargins(4, 4, 4, 4);
  buttonRow->setSpacing(4);

  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(3, 4, 3, 4);
  layout->setSpacing(4);
  layout->addWidget(title);
  layout->addWidget(notes, 1);
  layout->addWidget(buttons);
  return panel;
}

QWidget* PositionWindow::BuildSheetRow(QWidget* parent) {
  QGroupBox* row = Group(parent, QStringLiteral("分组框26"), QString());
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(4, 3, 4, 3);
  layout->setSpacing(3);
  if (spec_.sheetForms.size() > 1) {
    sheetForm_ = new QComboBox(row);
    sheetForm_->setObjectName(QStringLiteral("测试表单组合框"));
    // Wide enough for the longest name: a cut one could be the wrong form.
    sheetForm_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const SheetFormSpec& form : spec_.sheetForms) sheetForm_->addItem(Utf8(form.name));
    sheetForm_->setToolTip(QStringLiteral("测试打印哪一种票据"));
    sheetForm_->setMinimumWidth(sheetForm_->sizeHint().width());
    layout->addWidget(sheetForm_);
  }
  const struct {
    const char* name;
    const char* caption;
    const char* tip;
    void (PositionWindow::*action)();
  } actions[] = {
      {"按钮4", "&T 测试打印", "在白纸上打印校准单：按框中现在的调整值标出每一项的位置，不保存",
       &PositionWindow::PrintSheet},
      {"按钮5", "预览", "预览校准单", &PositionWindow::PreviewSheet}};
  for (const auto& action : actions) {
    auto* button = new QPushButton(Utf8(action.caption), row);
    button->setObjectName(Utf8(action.name));
    button->setToolTip(Utf8(action.tip));
    connect(button, &QPushButton::clicked, this, action.action);
    FitToCaption(button);
    layout->addWidget(button);
  }
  layout->addStretch(1);
  return row;
}

QLineEdit* PositionWindow::FieldBox(int field) const {
  return boxes_.at(static_cast<std::size_t>(field - spec_.table.firstField));
}

void PositionWindow::Load() {
  RecordStore& store = context_.store;
  if (!store.Open("bsf\\" + std::string(spec_.table.table), spec_.table.password)) {
    context_.services.messages.ShowError(this, QStringLiteral("无法打开打印位置文件：") +
                                                   QString::fromStdString(store.LastErrorText()));
  }
  const bool stored = store.RecordCount() > 0;
  for (int k = 0; k < spec_.table.count; ++k) {
    const int field = spec_.table.firstField + k;
    const QString text =
        QString::fromStdString(FormatNumber(stored ? store.ReadNumber(field) : 0.0));
    // A stored value longer than a box may be typed (-1234.5) is shown whole, so that a
    // Save never writes back a shortened one.
    FieldBox(field)->setMaxLength(std::max(kBoxCharacters, static_cast<int>(text.size())));
    FieldBox(field)->setText(text);
  }
}

void PositionWindow::Save() {
  std::vector<Value> values;
  std::vector<std::optional<Value>> changes;
  for (QLineEdit* box : boxes_) {
    const double value = NumericValue(box->text().toStdString());
    values.emplace_back(value);
    changes.emplace_back(value);
  }
  RecordStore& store = context_.store;
  // The table is current while the window is open; reach it again if something closed it.
  bool saved = store.MakeCurrent(spec_.table.table, spec_.table.password);
  if (saved) {
    store.First();
    saved = store.RecordCount() == 0 ? store.Append(values) : store.Modify(changes);
  }
  if (!saved) {
    context_.services.messages.ShowError(
        this, QStringLiteral("打印位置没有保存：") + QString::fromStdString(store.LastErrorText()));
  }
}

void PositionWindow::Initialize() {
  for (QLineEdit* box : boxes_) box->setText(QStringLiteral("0"));
}

void PositionWindow::PrintSheet() { SheetRoutine(false); }

void PositionWindow::PreviewSheet() { SheetRoutine(true); }

void PositionWindow::SheetRoutine(bool preview) {
  if (spec_.sheetForms.empty()) return;
  const SheetFormSpec& form =
      spec_.sheetForms.at(sheetForm_ ? static_cast<std::size_t>(sheetForm_->currentIndex()) : 0);
  // The boxes as Save would read them: what is typed counts, saved or not.
  std::vector<double> offsets;
  for (int k = 0; k < form.offsets.count; ++k) {
    offsets.push_back(NumericValue(FieldBox(form.offsets.firstField + k)->text().toStdString()));
  }
  const QDate today = context_.services.clock.Now().date();
  const PrintRun run = PrepareCalibrationSheet(form.layout(), offsets, form.name,
                                               {today.year(), today.month(), today.day()});
  if (preview) {
    context_.services.printing.Preview(this, run);
  } else {
    context_.services.printing.Print(this, run);
  }
}

void PositionWindow::Exit() {
  context_.store.CloseAll();
  close();
}

}  // namespace tallyra
