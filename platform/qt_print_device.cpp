#include "platform/qt_print_device.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>

#include "platform/services.h"

namespace tallyra {

namespace {

// Printer pixels between two lines of one text, on top of the text's height.
constexpr double kLineGapPixels = 2;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtPrintDevice::QtPrintDevice(Target target, QWidget* parent, QString pdfPath,
                             QPrinter* givenPrinter, MessageBoxes& messages)
    : target_(target),
      parent_(parent),
      pdfPath_(std::move(pdfPath)),
      messages_(messages),
      printer_(givenPrinter) {}

QtPrintDevice::~QtPrintDevice() {
  if (painter_.isActive()) painter_.end();  // a job left open still gets its page
}

std::unique_ptr<QtPrintDevice> QtPrintDevice::ThroughDialog(QWidget* parent,
                                                            MessageBoxes& messages) {
  return std::unique_ptr<QtPrintDevice>(
      new QtPrintDevice(Target::kDialog, parent, QString(), nullptr, messages));
}

std::unique_ptr<QtPrintDevice> QtPrintDevice::ToPdfFile(const QString& path, QWidget* parent,
                                                        MessageBoxes& messages) {
  return std::unique_ptr<QtPrintDevice>(
      new QtPrintDevice(Target::kPdfFile, parent, path, nullptr, messages));
}

std::unique_ptr<QtPrintDevice> QtPrintDevice::OntoPrinter(QPrinter& printer, QWidget* parent,
                                                          MessageBoxes& messages) {
  return std::unique_ptr<QtPrintDevice>(
      new QtPrintDevice(Target::kGivenPrinter, parent, QString(), &printer, messages));
}

void QtPrintDevice::PreparePrinter(QPrinter& printer, const PaperSpec& paper,
                                   const QString& jobName) {
  printer.setPageSize(QPageSize(QSizeF(paper.width / 10.0, paper.height / 10.0),
                                QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
  printer.setPageOrientation(paper.orientation == PaperOrientation::kLandscape
                                 ? QPageLayout::Landscape
                                 : QPageLayout::Portrait);
  printer.setFullPage(true);
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  printer.setDocName(jobName);
}

bool QtPrintDevice::Begin(const PaperSpec& paper, std::string_view jobName) {
  if (target_ != Target::kGivenPrinter) {
    ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_ = ownPrinter_.get();
  }
  PreparePrinter(*printer_, paper, FromUtf8(jobName));
  if (target_ == Target::kPdfFile) {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pdfPath_);
  } else if (target_ == Target::kDialog) {
    QPrintDialog dialog(printer_, parent_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return false;  // cancelled: nothing to say
  }
  if (!painter_.begin(printer_)) {
    // Said aloud: otherwise the operator waits for a form that never comes.
    messages_.Show(parent_,
                   Message{QStringLiteral("打印机无法开始打印，请检查打印机后重试。"),
                           QStringLiteral("打印"), MessageIcon::kWarning, MessageButtons::kOk});
    return false;
  }
  // The painter stays in printer pixels: a window/viewport mapping would stretch by the
  // PDF page's rounding to whole points, and scale() rounds font sizes.
  pixelsPerTenthMm_ = printer_->resolution() / 254.0;
  painter_.setBackgroundMode(Qt::TransparentMode);
  painter_.setPen(Qt::black);
  italic_ = false;
  SetFont(kDefaultPrintFace, kInitialPrintPoints);
  return true;
}

void QtPrintDevice::SetFont(std::string_view face, double points) {
  font_ = QFont(FromUtf8(face));
  font_.setPointSizeF(points);  // the painter resolves points against the printer's dpi
  font_.setWeight(QFont::Normal);
  font_.setUnderline(false);
  font_.setItalic(italic_);
  painter_.setFont(font_);
}

void QtPrintDevice::SetSystemFont(double points) {
  const QString face = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  SetFont(face.toUtf8().toStdString(), points);
}

void QtPrintDevice::SetItalic(bool on) {
  italic_ = on;
  font_.setItalic(on);
  painter_.setFont(font_);
}

void QtPrintDevice::Text(int x, int y, std::string_view text) {
  static const QRegularExpression kLineBreak(QStringLiteral("\r\n|\r|\n"));
  const QStringList lines = FromUtf8(text).split(kLineBreak);
  const double lineStep = QFontMetricsF(painter_.font(), printer_).height() + kLineGapPixels;
  const double left = x * pixelsPerTenthMm_;
  double top = y * pixelsPerTenthMm_;
  constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine;
  for (const QString& line : lines) {
    if (!line.isEmpty()) painter_.drawText(QRectF(left, top, 0, 0), kFlags, line);
    top += lineStep;
  }
}

void QtPrintDevice::End() { painter_.end(); }

}  // namespace tallyra
