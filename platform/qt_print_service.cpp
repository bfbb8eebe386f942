#include "platform/qt_print_service.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "platform/print_preview.h"
#include "platform/qt_print_device.h"
#include "platform/services.h"

namespace tallyra {

QtPrintService::QtPrintService(MessageBoxes& messages, Clock& clock)
    : messages_(messages), clock_(clock) {}

bool QtPrintService::Print(QWidget* parent, const PrintRun& run) {
  return ExecutePrintRun(run, *DeviceFor(parent, run));
}

std::unique_ptr<QtPrintDevice> QtPrintService::DeviceFor(QWidget* parent, const PrintRun& run) {
  const QString dir = UnattendedPdfDir();
  if (!dir.isEmpty()) {
    return QtPrintDevice::ToPdfFile(
        NewPdfPath(dir, QString::fromStdString(run.jobName), clock_.Now()), parent, messages_);
  }
  const QString queue = UnattendedPrinter();
  if (!queue.isEmpty()) return QtPrintDevice::ToNamedPrinter(queue, parent, messages_);
  return QtPrintDevice::ThroughDialog(parent, messages_);
}

void QtPrintService::Preview(QWidget* parent, const PrintRun& run) {
  PrintPreview preview(parent, run, messages_);
  preview.Dialog().exec();
}

QString UnattendedPdfDir() { return qEnvironmentVariable("TALLYRA_PDF_DIR"); }

QString UnattendedPrinter() { return qEnvironmentVariable("TALLYRA_PRINTER"); }

QString NewPdfPath(const QString& dir, const QString& jobName, const QDateTime& now) {
  QDir().mkpath(dir);
  // A job name is fixed text of the forms; keep characters no file system takes out anyway.
  QString job = jobName;
  job.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]")),
              QStringLiteral("_"));
  const QString stem = QDir(dir).filePath(job + QLatin1Char('-') +
                                          now.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")));
  for (int n = 1;; ++n) {
    const QString path =
        stem + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) + QStringLiteral(".pdf");
    if (QFile::exists(path)) continue;
    QFile reserved(path);
    // Creating the file claims the name; when that fails the device reports it.
    if (reserved.open(QIODevice::WriteOnly | QIODevice::NewOnly) || !QFile::exists(path)) {
      return path;
    }
  }
}

}  // namespace tallyra
