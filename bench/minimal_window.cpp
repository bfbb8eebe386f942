// The yardstick for start-up time: the least a Qt Widgets program does to show one window
// with Chinese text, in the application's default font as the login window uses it, so
// that it loads the same fonts.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "ui/quit_when_painted.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(457, 320);
  QLabel label(QStringLiteral("用户名："), &window);
  label.setGeometry(276, 246, 48, 24);
  tallyra::QuitWhenPainted::WatchIfAsked(&window);
  window.show();
  return app.exec();
}
