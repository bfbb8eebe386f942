#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "platform/qt_print_service.h"
#include "tests/support/ui_fixture.h"

namespace tallyra {

struct Word {
  QString text;
  double xMm;
  double yMm;
  double rightMm;
  double bottomMm;
};

// The words of a PDF page with their boxes, in mm.
std::vector<Word> ReadWords(const QString& pdf);

// Whether a word with this text stands at (x, y) in 0.1 mm, within 0.3 mm.
bool HasWordAt(const std::vector<Word>& words, const QString& text, int x, int y);

// Types the text into the field key by key, as an input method delivers Chinese text.
void TypeText(QWidget* field, const QString& text);

// The real program from the login window on, with the Qt print service writing every
// print run as a PDF into pdfDir_ (TALLYRA_PDF_DIR) and the other services faked.
// Whether poppler's pdftotext runs here. Always true on Linux, which installs it with the
// project (a missing one fails the test there); Windows and Wine have none.
bool PdfToTextAvailable();

class EndToEndTest : public UiFixture {
 protected:
  EndToEndTest();
  ~EndToEndTest() override;

  // Logs in as a new super administrator through the login window; the main window opens.
  void LogIn();
  // The one PDF printed so far, named after the job.
  QString OnlyPdf(const QString& jobName);

  QTemporaryDir pdfDir_;
  QtPrintService printing_;
  Services services_;
  AppContext programContext_{state_, *store_, services_};
  std::unique_ptr<MainWindow> main_;
};

}  // namespace tallyra

// Skips a test that reads a PDF back where pdftotext is not installed.
#define TALLYRA_REQUIRE_PDFTOTEXT()                                                      \
  do {                                                                                   \
    if (!::tallyra::PdfToTextAvailable()) {                                              \
      GTEST_SKIP() << "pdftotext is not installed: the printed PDF cannot be read back"; \
    }                                                                                    \
  } while (false)
