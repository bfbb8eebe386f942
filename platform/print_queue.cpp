#include "platform/print_queue.h"

#include <QPrinterInfo>

#ifdef TALLYRA_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace tallyra {

namespace {

#ifdef TALLYRA_HAVE_CUPS
// The print server answers for itself: the queue's state and whether it accepts jobs.
QueueProblem AskCups(const QByteArray& name) {
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
  if (dest == nullptr) {
    return cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND ? QueueProblem::kMissing
                                                         : QueueProblem::kNoServer;
  }
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
