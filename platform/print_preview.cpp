#include "platform/print_preview.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <utility>

#include "platform/qt_print_device.h"

namespace tallyra {

PrintPreview::PrintPreview(QWidget* parent, PrintRun run, MessageBoxes& messages)
    : run_(std::move(run)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      dialog_(std::make_unique<QDialog>(parent)) {
  QtPrintDevice::PreparePrinter(*printer_, run_.paper, QString::fromStdString(run_.jobName));
  dialog_->setWindowTitle(QStringLiteral("打印预览"));
  dialog_->resize(900, 640);
  page_ = new QPrintPreviewWidget(printer_.get(), dialog_.get());
  page_->setObjectName(QStringLiteral("预览页面"));
  QObject::connect(page_, &QPrintPreviewWidget::paintRequested, dialog_.get(),
                   [this, parent, &messages](QPrinter* printer) {
                     ++renderings_;
                     const auto device = QtPrintDevice::OntoPrinter(*printer, parent, messages);
                     ExecutePrintRun(run_, *device);
                   });

  // Qt's own preview dialog also prints and sets the page up, past every check of the form.
  auto* tools = new QToolBar(dialog_.get());
  const struct {
    const char* caption;
    void (QPrintPreviewWidget::*view)();
  } views[] = {{"整页", &QPrintPreviewWidget::fitInView},
               {"适合宽度", &QPrintPreviewWidget::fitToWidth}};
  for (const auto& view : views) {
    QObject::connect(tools->addAction(QString::fromUtf8(view.caption)), &QAction::triggered, page_,
                     view.view);
  }
  QObject::connect(tools->addAction(QStringLiteral("放大")), &QAction::triggered, page_,
                   [this] { page_->zoomIn(); });
  QObject::connect(tools->addAction(QStringLiteral("缩小")), &QAction::triggered, page_,
                   [this] { page_->zoomOut(); });

  auto* buttons = new QDialogButtonBox(dialog_.get());
  QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("预览关闭按钮"));
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog_.get(), &QDialog::reject);

  auto* layout = new QVBoxLayout(dialog_.get());
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(tools);
  layout->addWidget(page_, 1);
  layout->addWidget(buttons);
}

PrintPreview::~PrintPreview() = default;

}  // namespace tallyra
