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

// Whether the queue has a paper of this size, named or custom. Qt sends a size the queue
// does not have as a custom size, and the queue then prints on what it has.
bool QueueHasPaper(const QString& name, double widthMm, double heightMm);

// How a queue turns a landscape page onto its sheet, which goes through the printer
// upright: a quarter turn counter-clockwise (the printer description's
// *LandscapeOrientation: Plus90) or clockwise (Minus90, the print server's default).
// kNone where the print system states the printable margins of the page as printed.
enum class LandscapeTurn { kNone, kPlus90, kMinus90 };

// Asks the print system how the named queue turns landscape pages.
LandscapeTurn LandscapeTurnOf(const QString& name);

// The message box text for a problem with the named queue; empty for kNone.
QString QueueProblemText(QueueProblem problem, const QString& name);

}  // namespace tallyra
