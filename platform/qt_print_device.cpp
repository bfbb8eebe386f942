#include "platform/qt_print_device.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLineF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QPointF>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>
#include <QTransform>
#include <cmath>

#include "platform/print_queue.h"
#include "platform/services.h"

namespace tallyra {

namespace {

// Printer pixels between two lines of one text, on top of the text's height.
constexpr double kLineGapPixels = 2;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QPointF PrintableCorner(const QPageLayout& layout, int resolution, LandscapeTurn turn) {
  // In millimetres: the layout's pixel and point rectangles round the margins to whole points.
  constexpr auto kMm = QPageLayout::Millimeter;
  const double pixelsPerMm = resolution / 25.4;
  QPageLayout page = layout;
  page.setUnits(kMm);
  const QMarginsF minimum = page.minimumMargins();
  if (page.orientation() == QPageLayout::Landscape && turn != LandscapeTurn::kNone) {
    // The margins are the upright sheet's, and the queue turns the page onto that sheet:
    // its printable area, turned back, is the page's.
    const QPageLayout sheet(page.pageSize(), QPageLayout::Portrait, minimum, kMm, minimum);
    const QRectF full = sheet.fullRect(kMm);
    QTransform sheetToPage;
    if (turn == LandscapeTurn::kPlus90) {
      sheetToPage.translate(full.height(), 0).rotate(90);
    } else {
      sheetToPage.translate(0, full.width()).rotate(-90);
    }
    return sheetToPage.mapRect(sheet.paintRect(kMm)).topLeft() * pixelsPerMm;
  }
  const QPageLayout printed(page.pageSize(), page.orientation(), minimum, kMm, minimum);
  return printed.paintRect(kMm).topLeft() * pixelsPerMm;
}

QtPrintDevice::QtPrintDevice(Target target, QWidget* parent, QString destination,
                             QPrinter* givenPrinter, MessageBoxes& messages)
    : target_(target),
      parent_(parent),
      destination_(std::move(destination)),
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

std::unique_ptr<QtPrintDevice> QtPrintDevice::ToNamedPrinter(const QString& queue, QWidget* parent,
                                                             MessageBoxes& messages) {
  return std::unique_ptr<QtPrintDevice>(
      new QtPrintDevice(Target::kNamedPrinter, parent, queue, nullptr, messages));
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
  if (!ChoosePrinter(paper, FromUtf8(jobName))) return false;
  if (!painter_.begin(printer_)) {
    // Said aloud: otherwise the operator waits for a form that never comes.
    Warn(QStringLiteral("打印机无法开始打印，请检查打印机后重试。"));
    return false;
  }
  // The painter stays in printer pixels: a window/viewport mapping would stretch by the
  // PDF page's rounding to whole points, and scale() rounds font sizes.
  pixelsPerTenthMm_ = printer_->resolution() / 254.0;
  // The origin is the printable area's corner, not the paper's edge, as the page comes out.
  const LandscapeTurn turn = printer_->outputFormat() == QPrinter::NativeFormat
                                 ? LandscapeTurnOf(printer_->printerName())
                                 : LandscapeTurn::kNone;
  painter_.translate(PrintableCorner(printer_->pageLayout(), printer_->resolution(), turn));
  painter_.setBackgroundMode(Qt::TransparentMode);
  painter_.setPen(Qt::black);
  italic_ = false;
  SetFont(kDefaultPrintFace, kInitialPrintPoints);
  return true;
}

bool QtPrintDevice::ChoosePrinter(const PaperSpec& paper, const QString& jobName) {
  switch (target_) {
    case Target::kGivenPrinter:
      PreparePrinter(*printer_, paper, jobName);
      return true;
    case Target::kPdfFile:
      // PDF first: the paper then takes the PDF writer's margins (none), not a printer's.
      printer_->setOutputFormat(QPrinter::PdfFormat);
      printer_->setOutputFileName(destination_);
      PreparePrinter(*printer_, paper, jobName);
      return true;
    case Target::kNamedPrinter: {
      // Asked first: Qt ignores a name it does not know and prints on the default queue.
      const QueueProblem problem = CheckPrintQueue(destination_);
      if (problem != QueueProblem::kNone) {
        Warn(QueueProblemText(problem, destination_));
        return false;
      }
      printer_->setPrinterName(destination_);
      PreparePrinter(*printer_, paper, jobName);
      return QueueTakes(printer_->printerName(), paper);
    }
    case Target::kDialog: {
      PreparePrinter(*printer_, paper, jobName);
      QPrintDialog dialog(printer_, parent_);
      dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
      dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
      dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
      if (dialog.exec() != QDialog::Accepted) return false;  // cancelled: nothing to say
      if (printer_->outputFormat() != QPrinter::NativeFormat) return true;  // a file
      return QueueTakes(printer_->printerName(), paper);
    }
  }
  return false;
}

bool QtPrintDevice::QueueTakes(const QString& queue, const PaperSpec& paper) {
  const QueueProblem problem = CheckPrintQueue(queue);
  if (problem != QueueProblem::kNone) {
    Warn(QueueProblemText(problem, queue));
    return false;
  }
  // A queue without the paper would print the form on whatever paper it has.
  const double widthMm = paper.width / 10.0;
  const double heightMm = paper.height / 10.0;
  const QString size = QStringLiteral("%1 × %2").arg(widthMm, 0, 'f', 1).arg(heightMm, 0, 'f', 1);
  if (!QueueHasPaper(queue, widthMm, heightMm)) {
    Warn(QStringLiteral("打印机“%1”不支持%2 毫米的纸张，没有打印。").arg(queue, size));
    return false;
  }
  // The dialog's page settings reset the paper to the queue's default when opened.
  const QPageLayout layout = printer_->pageLayout();
  const QSizeF chosen = layout.pageSize().size(QPageSize::Millimeter);
  const auto orientation = paper.orientation == PaperOrientation::kLandscape
                               ? QPageLayout::Landscape
                               : QPageLayout::Portrait;
  constexpr double kToleranceMm = 0.5;
  if (std::abs(chosen.width() - widthMm) > kToleranceMm ||
      std::abs(chosen.height() - heightMm) > kToleranceMm || layout.orientation() != orientation) {
    Warn(QStringLiteral(
             "所选纸张不是%1 毫米%2，没有打印。\n请在打印对话框的“属性”中选择这种纸张后重试。")
             .arg(size, orientation == QPageLayout::Landscape ? QStringLiteral("横向")
                                                              : QStringLiteral("纵向")));
    return false;
  }
  return true;
}

void QtPrintDevice::Warn(const QString& text) {
  messages_.Show(parent_,
                 Message{text, QStringLiteral("打印"), MessageIcon::kWarning, MessageButtons::kOk});
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

void QtPrintDevice::Line(int x, int y, int x2, int y2, int width, int gray) {
  const double f = pixelsPerTenthMm_;
  QPen pen(QColor(gray, gray, gray));
  pen.setWidthF(width * f / 10.0);
  pen.setCapStyle(Qt::FlatCap);
  painter_.save();
  painter_.setPen(pen);
  painter_.drawLine(QLineF(x * f, y * f, x2 * f, y2 * f));
  painter_.restore();
}

void QtPrintDevice::End() { painter_.end(); }

}  // namespace tallyra
