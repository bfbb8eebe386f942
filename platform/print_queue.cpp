#include "platform/print_queue.h"

#include <QPageSize>
#include <QPrinterInfo>
#include <QSizeF>
#include <cmath>

#ifdef TALLYRA_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace tallyra {

namespace {

#ifdef TALLYRA_HAVE_CUPS
// libcups reports an unknown queue whether or not the server answered: knock once.
bool ServerAnswers() {
  constexpr int kTimeoutMs = 5000;
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              kTimeoutMs, nullptr);
  if (http == nullptr) return false;
  httpClose(http);
  return true;
}

// The print server answers for itself: the queue's state and whether it accepts jobs.
QueueProblem AskCups(const QByteArray& name) {
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
  if (dest == nullptr) return ServerAnswers() ? QueueProblem::kMissing : QueueProblem::kNoServer;
  const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
  const char* accepting =
      cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
  QueueProblem problem = QueueProblem::kNone;
  if (state != nullptr && QByteArray(state).toInt() == IPP_PSTATE_STOPPED) {
    problem = QueueProblem::kStopped;
  } else if (accepting != nullptr && QByteArray(accepting) == "false") {
    problem = QueueProblem::kRejecting;
  }
  cupsFreeDests(1, dest);
  return problem;
}
#endif

}  // namespace

QueueProblem CheckPrintQueue(const QString& name) {
#ifdef TALLYRA_HAVE_CUPS
  return AskCups(name.toUtf8());
#else
  // Without CUPS the platform's own queue list is all there is to ask.
  const QPrinterInfo info = QPrinterInfo::printerInfo(name);
  if (info.isNull()) return QueueProblem::kMissing;
  if (info.state() == QPrinter::Error) return QueueProblem::kStopped;
  return QueueProblem::kNone;
#endif
}

bool QueueHasPaper(const QString& name, double widthMm, double heightMm) {
  const QPrinterInfo info = QPrinterInfo::printerInfo(name);
  if (info.supportsCustomPageSizes()) return true;
  constexpr double kToleranceMm = 0.5;
  const auto near = [&](const QSizeF& size) {
    return std::abs(size.width() - widthMm) <= kToleranceMm &&
           std::abs(size.height() - heightMm) <= kToleranceMm;
  };
  for (const QPageSize& size : info.supportedPageSizes()) {
    const QSizeF mm = size.size(QPageSize::Millimeter);
    if (near(mm) || near(mm.transposed())) return true;
  }
  return false;
}

QString QueueProblemText(QueueProblem problem, const QString& name) {
  switch (problem) {
    case QueueProblem::kNone:
      return {};
    case QueueProblem::kNoServer:
      return QStringLiteral("无法连接打印服务，没有打印。\n请确认打印服务已启动后重试。");
    case QueueProblem::kMissing:
      return QStringLiteral("找不到打印机“%1”，没有打印。").arg(name);
    case QueueProblem::kStopped:
      return QStringLiteral("打印机“%1”已停止，没有打印。\n请在打印机队列中恢复后重试。").arg(name);
    case QueueProblem::kRejecting:
      return QStringLiteral("打印机“%1”不接受打印任务，没有打印。").arg(name);
  }
  return {};
}

}  // namespace tallyra
