#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "data/record_store.h"
#include "data/table_batch.h"

namespace tallyra {

// The records of one table file as a grid: rows are records in file order, columns are
// fields in field order. Cells are read from the store when the view asks, so opening a
// table of 100 000 records costs no more than one of 100. The grid and the store's
// snapshot are brought up to date together, only in Sync, so a row always names the
// record the operator sees; an edit of a record another program removed is refused.
class TableEditorModel final : public QAbstractTableModel {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(TableEditorModel)

 public:
  // file: the table's path as the program names it (absolute or "bsf\" + file). Empty
  // until the first Sync.
  TableEditorModel(RecordStore& store, std::string file, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // Makes the table current again (select or reopen it) and takes in what another
  // program appended or deleted; rows that stay keep their place in the view.
  bool Sync();
  // Appends an empty record at the end of the table.
  bool AppendRow();
  // Removes the record of a row from the file at once.
  bool DeleteRow(int row);

  // Every record as the grid shows it, one value per field.
  std::vector<std::vector<Value>> Records() const;
  const std::vector<FieldDef>& Fields() const { return fields_; }
  // Writes many records in one transaction, when the table still holds what the grid
  // shows of the rows it overwrites; the grid is brought up to date either way. today:
  // the day of the backup made first (see WriteTableBatch).
  bool Write(TableBatch batch, const std::string& today);

  const FieldDef& Field(int column) const { return fields_[static_cast<std::size_t>(column)]; }
  // Whether the store's current table is this model's table.
  bool OwnsCurrent() const;

 signals:
  // Something the operator must be told: a refused edit, a record that is gone.
  void Failed(const QString& text) const;

 private:
  // Fails with a message unless the table is current without a refresh: a write by row
  // number is only safe against the snapshot the grid shows.
  bool ReadyToWrite();
  // After a failed write: the reason, and the grid brought up to date.
  bool Refuse(const QString& text);

  RecordStore& store_;
  std::string file_;
  std::string path_;  // resolved, as the store reports it
  std::vector<FieldDef> fields_;
  int rows_ = 0;
  mutable bool syncQueued_ = false;
};

}  // namespace tallyra
