#include "data/windows/table_editor_model.h"

#include <QTimer>
#include <optional>

#include "data/cell_value.h"
#include "data/field_value.h"

namespace tallyra {
namespace {

QString CellText(const Value& value) { return QString::fromStdString(CellTextOf(value)); }

}  // namespace

TableEditorModel::TableEditorModel(RecordStore& store, std::string file, QObject* parent)
    : QAbstractTableModel(parent),
      store_(store),
      file_(std::move(file)),
      path_(store.ResolvePath(file_)) {}

int TableEditorModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TableEditorModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

bool TableEditorModel::OwnsCurrent() const { return store_.CurrentPath() == path_; }

QVariant TableEditorModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  if (!OwnsCurrent()) {
    // Another window closed or switched the tables: take ours back once painting is over.
    if (!syncQueued_) {
      syncQueued_ = true;
      auto* self = const_cast<TableEditorModel*>(this);
      QTimer::singleShot(0, self, [self] {
        self->syncQueued_ = false;
        self->Sync();
      });
    }
    return {};
  }
  Value value;
  if (!store_.ReadAt(index.row(), index.column() + 1, &value)) return {};
  return CellText(value);
}

QVariant TableEditorModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= columnCount()) return {};
  return QString::fromStdString(Field(section).name);
}

Qt::ItemFlags TableEditorModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) |
         (index.isValid() ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

bool TableEditorModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const FieldDef& field = Field(index.column());
  const QString text = value.toString();
  Value stored;
  if (IsTextType(field.type)) {
    stored = text.toStdString();
  } else {
    bool ok = false;
    const double number = text.trimmed().isEmpty() ? 0.0 : text.toDouble(&ok);
    if (!ok && !text.trimmed().isEmpty()) {
      emit Failed(QStringLiteral("“%1”一栏只能输入数字，“%2”未被保存。")
                      .arg(QString::fromStdString(field.name), text));
      return false;
    }
    stored = number;
  }
  if (!ReadyToWrite()) return false;
  std::vector<std::optional<Value>> values(fields_.size());
  values[static_cast<std::size_t>(index.column())] = stored;
  if (!store_.ModifyAt(index.row(), values)) {
    return Refuse(
        store_.LastError() == kStoreRecordGone
            ? QStringLiteral("这条记录已被另一程序删除，“%1”未被保存。表格已重新读取。").arg(text)
            : QStringLiteral("“%1”未被保存：%2")
                  .arg(text, QString::fromStdString(store_.LastErrorText())));
  }
  emit dataChanged(index, index);
  Sync();  // the write took in whatever another program had changed
  return true;
}

bool TableEditorModel::AppendRow() {
  if (!Sync()) return false;
  if (!store_.AppendEmpty()) {
    return Refuse(
        QStringLiteral("无法添加记录：%1").arg(QString::fromStdString(store_.LastErrorText())));
  }
  return Sync();
}

bool TableEditorModel::DeleteRow(int row) {
  if (row < 0 || row >= rows_ || !ReadyToWrite()) return false;
  if (!store_.DeleteAt(row)) {
    return Refuse(store_.LastError() == kStoreRecordGone
                      ? QStringLiteral("这条记录已被另一程序删除。表格已重新读取。")
                      : QStringLiteral("无法删除记录：%1")
                            .arg(QString::fromStdString(store_.LastErrorText())));
  }
  return Sync();
}

std::vector<std::vector<Value>> TableEditorModel::Records() const {
  std::vector<std::vector<Value>> records(static_cast<std::size_t>(rows_));
  for (int row = 0; row < rows_; ++row) {
    auto& record = records[static_cast<std::size_t>(row)];
    record.resize(fields_.size());
    for (int field = 1; field <= columnCount(); ++field) {
      store_.ReadAt(row, field, &record[static_cast<std::size_t>(field - 1)]);
    }
  }
  return records;
}

bool TableEditorModel::Write(TableBatch batch, const std::string& today) {
  if (!ReadyToWrite()) return false;
  if (batch.firstRow) {
    // Rows by number are only safe against the snapshot the grid shows.
    batch.seenCount = static_cast<std::size_t>(rows_);
    const auto first = static_cast<int>(*batch.firstRow);
    const int overwritten = std::min(rows_ - first, static_cast<int>(batch.rows.size()));
    for (int row = first; row < first + overwritten; ++row) {
      batch.seenRows.emplace_back(fields_.size());
      for (int field = 1; field <= columnCount(); ++field) {
        store_.ReadAt(row, field, &batch.seenRows.back()[static_cast<std::size_t>(field - 1)]);
      }
    }
  }
  std::string error;
  const int code = WriteTableBatch(path_, batch, today, &error);
  if (code == kStoreRecordGone) {
    return Refuse(
        QStringLiteral("该表已被另一程序修改，没有写入任何内容。表格已重新读取，请核对后再操作。"));
  }
  if (code != kStoreOk) {
    return Refuse(QStringLiteral("没有写入任何内容：%1").arg(QString::fromStdString(error)));
  }
  return Sync();
}

bool TableEditorModel::ReadyToWrite() {
  if (OwnsCurrent()) return true;
  return Refuse(QStringLiteral("该表已被另一窗口关闭，已重新读取，请核对后再操作。"));
}

bool TableEditorModel::Refuse(const QString& text) {
  Sync();
  emit Failed(text);
  return false;
}

bool TableEditorModel::Sync() {
  if (!OwnsCurrent() && !store_.SelectCurrent(file_) && !store_.Open(file_)) {
    if (rows_ > 0 || !fields_.empty()) {
      beginResetModel();
      rows_ = 0;
      fields_.clear();
      endResetModel();
    }
    emit Failed(QString::fromStdString(store_.LastErrorText()));
    return false;
  }
  const int count = store_.RecordCount();  // takes in another program's changes
  std::vector<FieldDef> fields;
  for (int i = 1; i <= store_.FieldCount(); ++i) {
    fields.push_back({store_.FieldName(i), store_.FieldTypeOf(i), store_.FieldSize(i)});
  }
  const bool sameFields =
      fields.size() == fields_.size() && std::equal(fields.begin(), fields.end(), fields_.begin(),
                                                    [](const FieldDef& a, const FieldDef& b) {
                                                      return a.name == b.name && a.type == b.type &&
                                                             a.size == b.size;
                                                    });
  if (!sameFields) {
    beginResetModel();
    fields_ = std::move(fields);
    rows_ = count;
    endResetModel();
    return true;
  }
  if (count > rows_) {
    beginInsertRows({}, rows_, count - 1);
    rows_ = count;
    endInsertRows();
  } else if (count < rows_) {
    beginRemoveRows({}, count, rows_ - 1);
    rows_ = count;
    endRemoveRows();
  }
  if (rows_ > 0 && !fields_.empty())
    emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
  return true;
}

}  // namespace tallyra
