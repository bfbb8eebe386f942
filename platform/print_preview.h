#pragma once

#include <QtGlobal>
#include <memory>

#include "forms/print_operation.h"

class QDialog;
class QPrinter;
class QPrintPreviewWidget;
class QWidget;

namespace tallyra {

class MessageBoxes;

// The print preview of one run's page, "打印预览": Qt's preview widget in a dialog of our
// own, drawn by the same device code as a print, on a high-resolution printer preset to the
// run's paper. It zooms and closes and has no way to print or to change the page: a print
// goes through the form's Print button, its checks and its confirmation. Built without
// being shown, so that tests can look at it without a modal loop.
class PrintPreview final {
 public:
  PrintPreview(QWidget* parent, PrintRun run, MessageBoxes& messages);
  ~PrintPreview();
  Q_DISABLE_COPY_MOVE(PrintPreview)

  QDialog& Dialog() { return *dialog_; }
  QPrinter& Printer() { return *printer_; }
  QPrintPreviewWidget& Page() { return *page_; }
  // How many times the page was drawn for the preview.
  int Renderings() const { return renderings_; }

 private:
  PrintRun run_;
  std::unique_ptr<QPrinter> printer_;  // outlives the dialog that draws on it
  std::unique_ptr<QDialog> dialog_;
  QPrintPreviewWidget* page_ = nullptr;
  int renderings_ = 0;
};

}  // namespace tallyra
