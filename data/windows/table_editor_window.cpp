#include "data/windows/table_editor_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <algorithm>

#include "data/table_exchange.h"
#include "data/table_paste.h"
#include "data/windows/gbk_cell_delegate.h"
#include "data/windows/import_preview_dialog.h"
#include "data/windows/table_editor_model.h"
#include "ui/controls.h"
#include "ui/form_keys.h"

namespace tallyra {
namespace {

const char* const kButtons[] = {"至首", "上条", "下条", "至尾", "添加", "删除", "退出"};
const QString kCsvFilter = QStringLiteral("CSV 文件 (*.csv);;所有文件 (*)");

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// Where a pasted value changed, as the message names it.
QString CellPlace(const std::optional<PastedCell>& cell, const TableEditorModel& model) {
  return QStringLiteral("第一个在第%1行“%2”栏")
      .arg(cell->row)
      .arg(Utf8(model.Field(static_cast<int>(cell->field)).name));
}

QString PasteReport(const PastePlan& plan, const TableEditorModel& model) {
  QString text = QStringLiteral("已粘贴 %1 行").arg(plan.rows);
  if (plan.appended > 0) text += QStringLiteral("（其中新增 %1 行）").arg(plan.appended);
  text += QStringLiteral("。");
  if (plan.cut > 0) {
    text += QStringLiteral("\n有 %1 个值超出栏宽被截断，%2。")
                .arg(plan.cut)
                .arg(CellPlace(plan.firstCut, model));
  }
  if (plan.dropped > 0) {
    text += QStringLiteral("\n有 %1 个值含有GBK不能表示的字符，这些字符已去掉，%2。")
                .arg(plan.dropped)
                .arg(CellPlace(plan.firstDropped, model));
  }
  if (plan.outside > 0) {
    text += QStringLiteral("\n有 %1 个值在表格最右一栏之外，没有粘贴。").arg(plan.outside);
  }
  return text;
}

}  // namespace

TableEditorWindow::TableEditorWindow(AppContext& context, QWidget* owner)
    : QWidget(owner, Qt::Window), context_(context) {
  setObjectName(QStringLiteral("TableEditorWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(646, 384);
  setWindowTitle(QString());
  setWindowTitle(context_.state.TableEditorTitle);

  // A balloon of its own rather than a tooltip: a tooltip vanishes at the release of the
  // very click that showed it. It lies over the rows below the pointer, so it is part of
  // the window that lets every click through to the row under it: a window of its own
  // would take the clicks.
  balloon_ = new QLabel(this);
  balloon_->setObjectName(QStringLiteral("气球提示框1"));
  balloon_->setAttribute(Qt::WA_TransparentForMouseEvents);
  balloon_->setStyleSheet(QStringLiteral(
      "background: #ffffe1; color: black; border: 1px solid #767676; border-radius: 6px;"
      "padding: 6px;"));
  balloon_->hide();
  balloonTimer_ = new QTimer(this);
  balloonTimer_->setSingleShot(true);
  balloonTimer_->setInterval(6000);
  connect(balloonTimer_, &QTimer::timeout, balloon_, &QWidget::hide);

  QGroupBox* frame = Group(this, QStringLiteral("分组框2"), QString());
  frame->setGeometry(8, 8, 624, 240);
  grid_ = new QTableView(frame);
  grid_->setObjectName(QStringLiteral("表格1"));
  grid_->setGeometry(6, 14, 610, 218);
  grid_->setEditTriggers(QAbstractItemView::DoubleClicked);
  grid_->setTabKeyNavigation(false);  // Enter and Tab leave the grid for the buttons
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->verticalHeader()->setDefaultSectionSize(22);
  grid_->horizontalHeader()->setStretchLastSection(true);

  // The selection window has usually opened the file already; the model then selects it.
  const std::string file = context_.state.TableEditorFile.toStdString();
  context_.store.Open(file);
  model_ = new TableEditorModel(context_.store, file, this);
  grid_->setModel(model_);
  auto* delegate = new GbkCellDelegate(*model_, grid_);
  grid_->setItemDelegate(delegate);
  connect(model_, &TableEditorModel::Failed, this, [this](const QString& text) {
    if (!text.isEmpty()) context_.services.messages.ShowError(this, text);
  });
  model_->Sync();
  connect(delegate, &GbkCellDelegate::Refused, this, [this](QWidget* editor, const QString& hint) {
    ShowBalloon(editor->mapToGlobal(QPoint(0, editor->height())), hint);
  });
  // A click on a cell, the current one included, gives the hint of its field.
  connect(grid_, &QTableView::clicked, this, [this] {
    if (grid_->currentIndex().isValid()) ShowFieldHint(grid_->currentIndex().column());
  });

  for (int column = 0; column < model_->columnCount(); ++column) {
    grid_->setColumnWidth(column, std::max(90, model_->Field(column).size * 7 + 16));
  }

  QGroupBox* buttons = Group(this, QStringLiteral("分组框1"), QString());
  buttons->setGeometry(172, 256, 295, 60);
  BuildButtons(buttons);

  // Below the buttons' frame, where the window has room; never for a table kept under a
  // password.
  const bool exchangeable = IsExchangeableTable(file);
  const struct {
    const char* name;
    const char* caption;
    int left;
    void (TableEditorWindow::*action)();
  } exchange[] = {{"按钮8", "导入(&I)", 232, &TableEditorWindow::Import},
                  {"按钮9", "导出(&E)", 328, &TableEditorWindow::Export}};
  for (const auto& entry : exchange) {
    auto* button = new QPushButton(QString::fromUtf8(entry.caption), this);
    button->setObjectName(QString::fromUtf8(entry.name));
    button->setGeometry(entry.left, 326, 80, 28);
    button->setEnabled(exchangeable);
    connect(button, &QPushButton::clicked, this, entry.action);
  }
  grid_->installEventFilter(this);

  auto* keys = new WindowKeys(this, WindowKeys::Esc::kClosesWindow);
  keys->WatchControls();
  if (model_->rowCount() > 0) GoTo(0);
}

TableEditorWindow::~TableEditorWindow() {
  // The editor never registers, yet its end clears the registration.
  context_.state.CurrentForm = nullptr;
}

void TableEditorWindow::BuildButtons(QWidget* group) {
  const std::function<void()> actions[] = {
      [this] { GoTo(0); }, [this] { Move(-1); },
      [this] { Move(1); }, [this] { GoTo(model_->rowCount() - 1); },
      [this] { Add(); },   [this] { Delete(); },
      [this] { Exit(); },
  };
  for (int i = 0; i < 7; ++i) {
    auto* button = new QPushButton(QString::fromUtf8(kButtons[i]), group);
    button->setObjectName(QStringLiteral("按钮%1").arg(i + 1));
    button->setGeometry(7 + 40 * i, 13, 40, 40);
    connect(button, &QPushButton::clicked, this, actions[i]);
  }
}

int TableEditorWindow::CurrentRow() const {
  const QModelIndex current = grid_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void TableEditorWindow::GoTo(int row) {
  model_->Sync();
  const int count = model_->rowCount();
  if (count == 0 || model_->columnCount() == 0) return;
  const int column = std::max(grid_->currentIndex().column(), 0);
  const QModelIndex target = model_->index(std::clamp(row, 0, count - 1), column);
  grid_->setCurrentIndex(target);
  grid_->scrollTo(target);
}

void TableEditorWindow::Move(int step) {
  // From the cursor row; the moves stay inside the table.
  const int row = CurrentRow();
  GoTo(row < 0 ? 0 : row + step);
}

void TableEditorWindow::Add() {
  if (model_->AppendRow()) GoTo(model_->rowCount() - 1);
}

void TableEditorWindow::Delete() {
  const int row = CurrentRow();
  if (row < 0) return;
  model_->DeleteRow(row);
  if (model_->rowCount() > 0) GoTo(row);
}

void TableEditorWindow::Exit() {
  context_.store.CloseAll();
  close();
}

bool TableEditorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
    Paste();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TableEditorWindow::Paste() {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty() || !model_->Sync() || model_->columnCount() == 0) return;
  const QModelIndex cursor = grid_->currentIndex();
  // Without a cursor (an empty table) the block is appended.
  const int row = cursor.isValid() ? cursor.row() : model_->rowCount();
  const int column = cursor.isValid() ? cursor.column() : 0;
  PastePlan plan;
  std::string error;
  if (!PlanPaste(text.toStdString(), model_->Fields(), model_->rowCount(), row, column, &plan,
                 &error)) {
    context_.services.messages.ShowError(this, Utf8(error));
    return;
  }
  if (plan.rows == 0 || !model_->Write(plan.batch, Today())) return;
  GoTo(row);
  // One value into one cell is what an edit does, and says nothing unless it had to change it.
  if (!plan.single || plan.cut > 0 || plan.dropped > 0) Inform(PasteReport(plan, *model_));
}

void TableEditorWindow::Export() {
  const std::string file = context_.state.TableEditorFile.toStdString();
  if (!IsExchangeableTable(file)) return;
  const QString path = context_.services.files.SaveFileName(
      this, QStringLiteral("导出"), context_.state.TableEditorTitle + QStringLiteral(".csv"),
      kCsvFilter);
  if (path.isEmpty() || !model_->Sync()) return;
  const std::vector<std::vector<Value>> records = model_->Records();
  std::string error;
  if (!WriteFileReplacing(path.toStdString(), TableToCsv(model_->Fields(), records), &error)) {
    context_.services.messages.ShowError(this, Utf8(error));
    return;
  }
  Inform(QStringLiteral("已导出 %1 条记录到“%2”。")
             .arg(records.size())
             .arg(QDir::toNativeSeparators(path)));
}

void TableEditorWindow::Import() {
  if (!IsExchangeableTable(context_.state.TableEditorFile.toStdString())) return;
  const QString path =
      context_.services.files.OpenFileName(this, QStringLiteral("导入"), kCsvFilter);
  if (path.isEmpty() || !model_->Sync()) return;
  std::string bytes;
  std::string error;
  ImportPlan plan;
  if (!ReadWholeFile(path.toStdString(), &bytes, &error) ||
      !PlanImport(bytes, model_->Fields(), &plan, &error)) {
    context_.services.messages.ShowError(this, Utf8(error));
    return;
  }
  auto* preview = new ImportPreviewDialog(plan, model_->Fields(), QDir::toNativeSeparators(path),
                                          model_->rowCount(), this);
  connect(preview, &QDialog::accepted, this,
          [this, preview, fields = model_->Fields(), records = std::move(plan.records)] {
            WriteImport(fields, records, preview->Replace());
          });
  preview->open();
}

void TableEditorWindow::WriteImport(const std::vector<FieldDef>& fields,
                                    const std::vector<std::vector<Value>>& records, bool replace) {
  TableBatch batch;
  batch.fields = fields;
  batch.replaceAll = replace;
  for (const auto& record : records) batch.rows.emplace_back(record.begin(), record.end());
  if (!model_->Sync()) return;
  const int before = model_->rowCount();
  if (!model_->Write(std::move(batch), Today())) return;
  GoTo(replace ? 0 : before);
  Inform(replace ? QStringLiteral("已导入 %1 条记录，替换了原有的 %2 条记录。")
                       .arg(records.size())
                       .arg(before)
                 : QStringLiteral("已导入 %1 条记录，追加在原有的 %2 条记录之后。")
                       .arg(records.size())
                       .arg(before));
}

void TableEditorWindow::Inform(const QString& text) {
  context_.services.messages.Show(
      this, {text, QString(), MessageIcon::kInformation, MessageButtons::kOk});
}

std::string TableEditorWindow::Today() const {
  return context_.services.clock.Now().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

QString TableEditorWindow::FieldHint(const QString& name, int size) {
  return QStringLiteral("您好，鼠标左键连击后，您可以在该表中的（%1）中输入%2个数字或%3个汉字！")
      .arg(name)
      .arg(size)
      .arg(QString::number(size / 2.0, 'g', 13));
}

void TableEditorWindow::ShowFieldHint(int column) {
  // Only while the mouse is over the grid.
  const QWidget* under = QApplication::widgetAt(QCursor::pos());
  if (!under || (under != grid_ && !grid_->isAncestorOf(under))) return;
  const FieldDef& field = model_->Field(column);
  ShowBalloon(QCursor::pos(), FieldHint(QString::fromStdString(field.name), field.size));
}

void TableEditorWindow::ShowBalloon(const QPoint& at, const QString& text) {
  balloon_->setText(text);
  balloon_->adjustSize();
  // Below the pointer, kept inside the window.
  const QPoint wanted = mapFromGlobal(at) + QPoint(0, 12);
  balloon_->move(std::clamp(wanted.x(), 0, std::max(0, width() - balloon_->width())),
                 std::clamp(wanted.y(), 0, std::max(0, height() - balloon_->height())));
  balloon_->raise();
  balloon_->show();
  balloonTimer_->start();
}

}  // namespace tallyra
