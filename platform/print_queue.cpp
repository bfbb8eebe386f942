#include "platform/print_queue.h"

#include <QPageSize>
#include <QPrinterInfo>
#include <QSizeF>
#include <cmath>
#include <type_traits>

#ifdef TALLYRA_HAVE_CUPS
#include <cups/cups.h>

#include <QFile>
#include <QLibrary>
#include <QRegularExpression>
#endif

namespace tallyra {

namespace {

#ifdef TALLYRA_HAVE_CUPS
// libcups and the twenty libraries it needs are loaded at the first question, not at
// start-up, where loading them cost a tenth of the time to the login window.
struct Cups {
  decltype(&::httpConnect2) httpConnect2 = nullptr;
  decltype(&::httpClose) httpClose = nullptr;
  decltype(&::cupsServer) cupsServer = nullptr;
  decltype(&::ippPort) ippPort = nullptr;
  decltype(&::cupsEncryption) cupsEncryption = nullptr;
  decltype(&::cupsGetNamedDest) cupsGetNamedDest = nullptr;
  decltype(&::cupsGetOption) cupsGetOption = nullptr;
  decltype(&::cupsFreeDests) cupsFreeDests = nullptr;
  // Deprecated in the headers, and still what names a queue's printer description.
  const char* (*cupsGetPPD)(const char* name) = nullptr;

  // Null where libcups is not installed.
  static const Cups* Get() {
    static const Cups cups = Load();
    return cups.cupsFreeDests != nullptr ? &cups : nullptr;
  }

 private:
  static Cups Load() {
    QLibrary library(QStringLiteral("cups"), 2);
    Cups cups;
    const auto resolve = [&library](auto& function, const char* name) {
      function =
          reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
      return function != nullptr;
    };
    const bool complete =
        resolve(cups.httpConnect2, "httpConnect2") && resolve(cups.httpClose, "httpClose") &&
        resolve(cups.cupsServer, "cupsServer") && resolve(cups.ippPort, "ippPort") &&
        resolve(cups.cupsEncryption, "cupsEncryption") &&
        resolve(cups.cupsGetNamedDest, "cupsGetNamedDest") &&
        resolve(cups.cupsGetOption, "cupsGetOption") &&
        resolve(cups.cupsFreeDests, "cupsFreeDests") && resolve(cups.cupsGetPPD, "cupsGetPPD");
    return complete ? cups : Cups{};
  }
};

// libcups reports an unknown queue whether or not the server answered: knock once.
bool ServerAnswers(const Cups& cups) {
  constexpr int kTimeoutMs = 5000;
  http_t* http = cups.httpConnect2(cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC,
                                   cups.cupsEncryption(), 1, kTimeoutMs, nullptr);
  if (http == nullptr) return false;
  cups.httpClose(http);
  return true;
}

// The print server answers for itself: the queue's state and whether it accepts jobs.
QueueProblem AskCups(const Cups& cups, const QByteArray& name) {
  cups_dest_t* dest = cups.cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
  if (dest == nullptr) {
    return ServerAnswers(cups) ? QueueProblem::kMissing : QueueProblem::kNoServer;
  }
  const char* state = cups.cupsGetOption("printer-state", dest->num_options, dest->options);
  const char* accepting =
      cups.cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
  QueueProblem problem = QueueProblem::kNone;
  if (state != nullptr && QByteArray(state).toInt() == IPP_PSTATE_STOPPED) {
    problem = QueueProblem::kStopped;
  } else if (accepting != nullptr && QByteArray(accepting) == "false") {
    problem = QueueProblem::kRejecting;
  }
  cups.cupsFreeDests(1, dest);
  return problem;
}
// The queue's *LandscapeOrientation, read from its printer description the way the print
// server reads it: Plus90, or else Minus90.
LandscapeTurn AskCupsTurn(const Cups& cups, const QByteArray& name) {
  const char* path = cups.cupsGetPPD(name.constData());
  if (path == nullptr) return LandscapeTurn::kMinus90;
  QFile ppd(QString::fromLocal8Bit(path));
  LandscapeTurn turn = LandscapeTurn::kMinus90;
  if (ppd.open(QIODevice::ReadOnly)) {
    static const QRegularExpression kKeyword(QStringLiteral(R"(^\*LandscapeOrientation:\s*(\S+))"),
                                             QRegularExpression::MultilineOption);
    const auto match = kKeyword.match(QString::fromLatin1(ppd.readAll()));
    if (match.hasMatch() && match.captured(1) == QLatin1String("Plus90")) {
      turn = LandscapeTurn::kPlus90;
    }
    ppd.close();
  }
  ppd.remove();  // a copy of the server's, made for this question
  return turn;
}
#endif

// Without CUPS the platform's own queue list is all there is to ask.
QueueProblem AskQt(const QString& name) {
  const QPrinterInfo info = QPrinterInfo::printerInfo(name);
  if (info.isNull()) return QueueProblem::kMissing;
  if (info.state() == QPrinter::Error) return QueueProblem::kStopped;
  return QueueProblem::kNone;
}

}  // namespace

QueueProblem CheckPrintQueue(const QString& name) {
#ifdef TALLYRA_HAVE_CUPS
  if (const Cups* cups = Cups::Get()) return AskCups(*cups, name.toUtf8());
#endif
  return AskQt(name);
}

LandscapeTurn LandscapeTurnOf(const QString& name) {
#ifdef TALLYRA_HAVE_CUPS
  if (const Cups* cups = Cups::Get()) return AskCupsTurn(*cups, name.toUtf8());
#else
  Q_UNUSED(name);
#endif
  // Windows asks the driver for the margins of the page in its orientation.
  return LandscapeTurn::kNone;
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
