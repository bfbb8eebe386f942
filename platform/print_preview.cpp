#include "platform/print_preview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <utility>

#include "platform/qt_print_device.h"

namespace tallyra {

PrintPreview::PrintPreview(QWidget* parent, PrintRun run, MessageBoxes& messages)
    : run_(std::move(run)), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  QtPrintDevice::PreparePrinter(*printer_, run_.paper, QString::fromStdString(run_.jobName));
  dialog_ = std::make_unique<QPrintPreviewDialog>(printer_.get(), parent);
  dialog_->setWindowTitle(QStringLiteral("打印预览"));
  QObject::connect(dialog_.get(), &QPrintPreviewDialog::paintRequested, dialog_.get(),
                   [this, parent, &messages](QPrinter* printer) {
                     ++renderings_;
                     const auto device = QtPrintDevice::OntoPrinter(*printer, parent, messages);
                     ExecutePrintRun(run_, *device);
                   });
}

PrintPreview::~PrintPreview() = default;

}  // namespace tallyra
