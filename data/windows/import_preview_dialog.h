#pragma once

#include <QDialog>
#include <vector>

#include "data/record_store.h"
#include "data/table_exchange.h"

class QRadioButton;

namespace tallyra {

// What an import will do, shown before anything is written: the file's rows and the
// fields they fill, the values that will be cut or stripped, the first records as they
// will be stored, and the choice to append them or to replace the table's records.
class ImportPreviewDialog final : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ImportPreviewDialog)

 public:
  ImportPreviewDialog(const ImportPlan& plan, const std::vector<FieldDef>& fields,
                      const QString& file, int existingRecords, QWidget* parent);

  // Whether the records replace the table's records rather than follow them.
  bool Replace() const;
  // The text above the preview.
  static QString Summary(const ImportPlan& plan, const std::vector<FieldDef>& fields,
                         const QString& file);

 private:
  QRadioButton* replace_ = nullptr;
};

}  // namespace tallyra
