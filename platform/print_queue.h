#pragma once

#include <QString>

namespace tallyra {

// Why a print queue cannot take a job now. Qt does not say: it prints a job for a missing
// queue on the default one and loses a job that the queue refuses.
enum class QueueProblem {
  kNone,
  kNoServer,   // the print server does not answer
  kMissing,    // no queue of that name
  kStopped,    // the queue is stopped (disabled): a job would wait in it
  kRejecting,  // the queue refuses new jobs
};

// Asks the print system about the named queue.
QueueProblem CheckPrintQueue(const QString& name);

// The message box text for a problem with the named queue; empty for kNone.
QString QueueProblemText(QueueProblem problem, const QString& name);

}  // namespace tallyra
