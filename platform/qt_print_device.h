#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <memory>
#include <string_view>

#include "forms/print_device.h"
#include "platform/print_queue.h"

class QPageLayout;
class QPointF;
class QPrinter;
class QWidget;

namespace tallyra {

class MessageBoxes;

// The top-left corner of the printable area of a page so laid out, in printer pixels from
// the paper's corner of the page as it comes out: the minimum margins on the page, or, for
// a landscape page on a queue that turns it onto an upright sheet whose margins those are,
// the sheet's printable area turned with the page. On a PDF file it is (0, 0).
QPointF PrintableCorner(const QPageLayout& layout, int resolution, LandscapeTurn turn);

// The device that draws a page with QPainter onto a QPrinter: a printer chosen in the
// print dialog, a PDF file, or a printer set up by someone else (the print preview's).
// All three share this one drawing path, in printer pixels at 0.1 mm × resolution / 254,
// from the top-left corner of the printable area (the paper's corner on a PDF file).
class QtPrintDevice final : public PrintDevice {
 public:
  // Opens the standard print dialog preset to the job's paper when the job begins.
  static std::unique_ptr<QtPrintDevice> ThroughDialog(QWidget* parent, MessageBoxes& messages);
  // Prints on the named queue without a dialog, once the print system says it can take the
  // job; otherwise says why in a message box and prints nothing.
  static std::unique_ptr<QtPrintDevice> ToNamedPrinter(const QString& queue, QWidget* parent,
                                                       MessageBoxes& messages);
  // Writes the page as a PDF file to path.
  static std::unique_ptr<QtPrintDevice> ToPdfFile(const QString& path, QWidget* parent,
                                                  MessageBoxes& messages);
  // Draws onto a printer the caller owns and keeps alive for the job.
  static std::unique_ptr<QtPrintDevice> OntoPrinter(QPrinter& printer, QWidget* parent,
                                                    MessageBoxes& messages);
  ~QtPrintDevice() override;

  // Custom paper size and orientation, full page, margins 0 and the job's document name:
  // what a print run's printer is set to before it is shown or drawn on.
  static void PreparePrinter(QPrinter& printer, const PaperSpec& paper, const QString& jobName);

 protected:
  bool Begin(const PaperSpec& paper, std::string_view jobName) override;
  void SetFont(std::string_view face, double points) override;
  void SetSystemFont(double points) override;
  void SetItalic(bool on) override;
  void Text(int x, int y, std::string_view text) override;
  void Line(int x, int y, int x2, int y2, int width, int gray) override;
  void End() override;

 private:
  enum class Target { kDialog, kNamedPrinter, kPdfFile, kGivenPrinter };
  QtPrintDevice(Target target, QWidget* parent, QString destination, QPrinter* givenPrinter,
                MessageBoxes& messages);

  // Sets up the printer for the target: the named queue, the PDF file, or the operator's
  // choice in the dialog. False when nothing is to be printed.
  bool ChoosePrinter(const PaperSpec& paper, const QString& jobName);
  // Whether the chosen queue takes the job on the paper; says why not in a message box.
  bool QueueTakes(const QString& queue, const PaperSpec& paper);
  void Warn(const QString& text);

  Target target_;
  QWidget* parent_;
  QString destination_;  // the PDF file's path or the named queue
  MessageBoxes& messages_;
  std::unique_ptr<QPrinter> ownPrinter_;  // the dialog's and the PDF file's printer
  QPrinter* printer_;
  QPainter painter_;
  QFont font_;
  bool italic_ = false;
  double pixelsPerTenthMm_ = 0;
};

}  // namespace tallyra
