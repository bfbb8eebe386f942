#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace tallyra {

// For measuring start-up: ends the program once the watched window has painted its first
// frame, text and pictures included. Header-only, so the yardstick program uses the very
// same rule.
class QuitWhenPainted final : public QObject {
 public:
  explicit QuitWhenPainted(QObject* window) : QObject(window) { window->installEventFilter(this); }

  // Installed only when TALLYRA_EXIT_WHEN_SHOWN is set.
  static void WatchIfAsked(QObject* window) {
    if (qEnvironmentVariableIsSet("TALLYRA_EXIT_WHEN_SHOWN")) new QuitWhenPainted(window);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !quitting_) {
      quitting_ = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool quitting_ = false;
};

}  // namespace tallyra
