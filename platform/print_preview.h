#pragma once

#include <QtGlobal>
#include <memory>

#include "forms/print_operation.h"

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace tallyra {

class MessageBoxes;

// Qt's print preview of one run's page, drawn by the same device code as a print, on a
// high-resolution printer preset to the run's paper. Built without being shown, so that
// tests can look at it without a modal loop.
class PrintPreview final {
 public:
  PrintPreview(QWidget* parent, PrintRun run, MessageBoxes& messages);
  ~PrintPreview();
  Q_DISABLE_COPY_MOVE(PrintPreview)

  QPrintPreviewDialog& Dialog() { return *dialog_; }
  // How many times the page was drawn for the preview.
  int Renderings() const { return renderings_; }

 private:
  PrintRun run_;
  std::unique_ptr<QPrinter> printer_;  // outlives the dialog that draws on it
  std::unique_ptr<QPrintPreviewDialog> dialog_;
  int renderings_ = 0;
};

}  // namespace tallyra
