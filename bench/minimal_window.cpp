// The yardstick for start-up time: the least a Qt Widgets program does to show one window.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(457, 320);
  window.show();
  if (qEnvironmentVariableIsSet("TALLYRA_EXIT_WHEN_SHOWN")) {
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
  }
  return app.exec();
}
