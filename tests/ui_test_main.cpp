#include <gtest/gtest.h>

#include <QApplication>

#include "app/language.h"
#include "app/look.h"

// Window tests run headless unless a display is asked for.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tallyra::InstallChineseLanguage(app);
  tallyra::InitResources();
  tallyra::MapFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
