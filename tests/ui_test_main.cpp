#include <gtest/gtest.h>

#include <QApplication>

#include "app/look.h"

// Window tests run headless unless a display is asked for.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  tallyra::InitResources();
  tallyra::MapFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
