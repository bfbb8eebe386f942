#include "data/windows/import_preview_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/cell_value.h"

namespace tallyra {
namespace {

constexpr int kPreviewRows = 50;
constexpr std::size_t kNotesShown = 5;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

QString Names(const std::vector<FieldDef>& fields, const std::vector<std::size_t>& which) {
  QStringList names;
  for (std::size_t f : which) names << Utf8(fields[f].name);
  return names.join(QStringLiteral("、"));
}

// A count of values and the first of them, with where they stand in the file.
QString Notes(const QString& what, const std::vector<ImportNote>& notes,
              const std::vector<FieldDef>& fields) {
  if (notes.empty()) return {};
  QString text = QStringLiteral("%1：%2 个").arg(what).arg(notes.size());
  for (std::size_t i = 0; i < notes.size() && i < kNotesShown; ++i) {
    text += QStringLiteral("\n    文件第%1行“%2”栏：%3")
                .arg(notes[i].line)
                .arg(Utf8(fields[notes[i].field].name), Utf8(notes[i].given));
  }
  if (notes.size() > kNotesShown) text += QStringLiteral("\n    ……");
  return text + QLatin1Char('\n');
}

QString EncodingName(CsvEncoding encoding) {
  return encoding == CsvEncoding::kGbk ? QStringLiteral("GBK编码") : QStringLiteral("UTF-8编码");
}

}  // namespace

QString ImportPreviewDialog::Summary(const ImportPlan& plan, const std::vector<FieldDef>& fields,
                                     const QString& file) {
  QString text = QStringLiteral("文件：%1（%2）\n共 %3 条记录。\n")
                     .arg(file, EncodingName(plan.encoding))
                     .arg(plan.records.size());
  text += plan.header ? QStringLiteral("第一行是栏名，按栏名对应：%1\n")
                      : QStringLiteral("文件没有栏名行，按栏的顺序对应：%1\n");
  text = text.arg(Names(fields, plan.filledFields));
  if (!plan.emptyFields.empty()) {
    text += QStringLiteral("文件中没有这些栏，导入的记录中为空：%1\n")
                .arg(Names(fields, plan.emptyFields));
  }
  text += Notes(QStringLiteral("超出栏宽、将被截断的值"), plan.cut, fields);
  text +=
      Notes(QStringLiteral("含有GBK不能表示的字符、这些字符将被去掉的值"), plan.dropped, fields);
  return text.trimmed();
}

ImportPreviewDialog::ImportPreviewDialog(const ImportPlan& plan,
                                         const std::vector<FieldDef>& fields, const QString& file,
                                         int existingRecords, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("导入预览窗口"));
  setWindowTitle(QStringLiteral("导入预览"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowModality(Qt::WindowModal);
  resize(600, 440);
  auto* layout = new QVBoxLayout(this);

  auto* summary = new QLabel(Summary(plan, fields, file), this);
  summary->setObjectName(QStringLiteral("导入说明签"));
  summary->setWordWrap(true);
  summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(summary);

  const int shown = std::min(static_cast<int>(plan.records.size()), kPreviewRows);
  auto* grid = new QTableWidget(shown, static_cast<int>(fields.size()), this);
  grid->setObjectName(QStringLiteral("导入预览表格"));
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->verticalHeader()->setDefaultSectionSize(22);
  grid->horizontalHeader()->setStretchLastSection(true);
  for (int c = 0; c < grid->columnCount(); ++c) {
    grid->setHorizontalHeaderItem(
        c, new QTableWidgetItem(Utf8(fields[static_cast<std::size_t>(c)].name)));
    for (int r = 0; r < shown; ++r) {
      const Value& value = plan.records[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      grid->setItem(r, c, new QTableWidgetItem(Utf8(CellTextOf(value))));
    }
  }
  layout->addWidget(grid, 1);
  if (static_cast<int>(plan.records.size()) > shown) {
    layout->addWidget(new QLabel(QStringLiteral("（只显示前 %1 条）").arg(shown), this));
  }

  auto* append = new QRadioButton(
      QStringLiteral("追加到表中现有的 %1 条记录之后(&A)").arg(existingRecords), this);
  append->setObjectName(QStringLiteral("追加单选框"));
  append->setChecked(true);
  replace_ = new QRadioButton(
      QStringLiteral("替换表中现有的 %1 条记录（导入前自动备份）(&R)").arg(existingRecords), this);
  replace_->setObjectName(QStringLiteral("替换单选框"));
  layout->addWidget(append);
  layout->addWidget(replace_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("导入(&I)"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("导入确定按钮"));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("导入取消按钮"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

bool ImportPreviewDialog::Replace() const { return replace_->isChecked(); }

}  // namespace tallyra
