#pragma once

#include "forms/print_operation.h"

class QWidget;

namespace tallyra {

// How windows print: a window turns its layout into a PrintRun (PreparePrintRun) and
// hands it here. Injected, so that tests record the runs instead of printing.
class PrintService {
 public:
  virtual ~PrintService() = default;
  // Prints the run's page: through the print dialog preset to the run's paper, or, when
  // TALLYRA_PDF_DIR names a folder, into a new PDF file there, or, when TALLYRA_PRINTER
  // names a queue, on that queue without the dialog. False when nothing was printed: a
  // cancelled dialog (silently), or a queue that is missing, stopped, refusing jobs or
  // without the paper, or a print server or printer that does not answer (each after one
  // message box to the parent window).
  virtual bool Print(QWidget* parent, const PrintRun& run) = 0;
  // Shows the page the run would print in the print preview; prints nothing by itself.
  virtual void Preview(QWidget* parent, const PrintRun& run) = 0;
};

}  // namespace tallyra
