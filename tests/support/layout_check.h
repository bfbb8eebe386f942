#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace tallyra {

// What a person would find cut or hidden in a shown window: a control reaching past its
// group or window, two controls on top of each other, or a control narrower than its
// caption. One line for each; none when every control stands whole.
std::vector<std::string> CutControls(const QWidget* window);

// Whether the box shows the whole text without scrolling it.
bool ShowsWhole(QLineEdit* box, const QString& text);

// Whether the box shows the beginning of its text (a text too long for it is cut at its
// end, not at its beginning).
bool ShowsBeginning(QLineEdit* box);

// Whether the whole text of a multi-line box is in view without scrolling.
bool ShowsWhole(const QPlainTextEdit* box);

// Whether the platform lists no fonts, so that no text width means anything.
bool NoFontsToMeasure();

}  // namespace tallyra

// Skips a test that measures text where the platform has no fonts to measure with
// (Qt's offscreen platform on Windows lists none).
#define TALLYRA_REQUIRE_FONTS()                                                       \
  do {                                                                                \
    if (::tallyra::NoFontsToMeasure()) {                                              \
      GTEST_SKIP() << "this platform lists no fonts: text widths cannot be measured"; \
    }                                                                                 \
  } while (false)
