#pragma once

#include <string>
#include <vector>

#include "forms/print_layout.h"

// The print operations a layout turns into, in the order a device executes them.
namespace tallyra {

struct PrintOperation {
  enum class Kind { kSetFont, kSetItalic, kText, kLine };

  Kind kind = Kind::kText;
  std::string face;         // kSetFont
  double points = 0;        // kSetFont
  bool systemFace = false;  // kSetFont: the platform's user-interface face, not `face`
  bool italic = false;      // kSetItalic
  int x = 0;                // kText: the top-left corner in 0.1 mm, offsets included
  int y = 0;
  std::string text;  // kText: CR, LF or CR LF start a new line below
  int x2 = 0;        // kLine: from (x, y) to (x2, y2), in 0.1 mm
  int y2 = 0;
  int width = 0;  // kLine: the pen's width in 0.01 mm
  int gray = 0;   // kLine: 0 black … 255 white

  static PrintOperation SetFont(std::string face, double points);
  static PrintOperation SetSystemFont(double points);
  static PrintOperation SetItalic(bool on);
  static PrintOperation Text(int x, int y, std::string text);
  // A straight line; the forms print none, the calibration sheet draws its marks with it.
  static PrintOperation Line(int x, int y, int x2, int y2, int width, int gray = 0);

  friend bool operator==(const PrintOperation&, const PrintOperation&) = default;
};

// Everything one print run puts on its single page.
struct PrintRun {
  std::string jobName;
  PaperSpec paper;
  std::vector<PrintOperation> operations;

  friend bool operator==(const PrintRun&, const PrintRun&) = default;
};

// A readable line for test failures and diagnostics: font 宋体 10, italic on,
// text 800,150 "…".
std::string Describe(const PrintOperation& operation);

}  // namespace tallyra
