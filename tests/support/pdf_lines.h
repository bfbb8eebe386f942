#pragma once

#include <QString>
#include <vector>

namespace tallyra {

// A straight line a PDF page strokes, in mm from the page's top-left corner.
struct PdfLine {
  double x1, y1, x2, y2;
  double widthMm;
  double gray;  // 0 black … 1 white; the stroke colour's red part
};

// The lines stroked on the first page of a PDF written by Qt: its content stream, inflated,
// read for the operators Qt uses (q Q cm w SCN m l S). Paths other than single segments are
// skipped.
std::vector<PdfLine> ReadLines(const QString& pdf);

}  // namespace tallyra
