#pragma once

#include <QDateTime>
#include <QString>
#include <memory>

#include "platform/print_service.h"

namespace tallyra {

class Clock;
class MessageBoxes;
class QtPrintDevice;

// Prints through Qt: the print dialog, or unattended into TALLYRA_PDF_DIR or on the queue
// TALLYRA_PRINTER names (the PDF folder first when both are set).
class QtPrintService final : public PrintService {
 public:
  QtPrintService(MessageBoxes& messages, Clock& clock);
  Q_DISABLE_COPY_MOVE(QtPrintService)

  bool Print(QWidget* parent, const PrintRun& run) override;
  void Preview(QWidget* parent, const PrintRun& run) override;

 private:
  std::unique_ptr<QtPrintDevice> DeviceFor(QWidget* parent, const PrintRun& run);

  MessageBoxes& messages_;
  Clock& clock_;
};

// The folder named by TALLYRA_PDF_DIR; empty when the variable is unset or empty.
QString UnattendedPdfDir();

// The print queue named by TALLYRA_PRINTER; empty when the variable is unset or empty.
QString UnattendedPrinter();

// A file name in dir not used before, after the job and the time:
// 支票打印-20261210-101530-123.pdf, then …-123-2.pdf and so on. The file is created
// empty, so that two runs never get the same name.
QString NewPdfPath(const QString& dir, const QString& jobName, const QDateTime& now);

}  // namespace tallyra
