#include "forms/print_operation.h"

#include <sstream>
#include <utility>

namespace tallyra {

PrintOperation PrintOperation::SetFont(std::string face, double points) {
  PrintOperation operation;
  operation.kind = Kind::kSetFont;
  operation.face = std::move(face);
  operation.points = points;
  return operation;
}

PrintOperation PrintOperation::SetSystemFont(double points) {
  PrintOperation operation = SetFont(std::string(), points);
  operation.systemFace = true;
  return operation;
}

PrintOperation PrintOperation::SetItalic(bool on) {
  PrintOperation operation;
  operation.kind = Kind::kSetItalic;
  operation.italic = on;
  return operation;
}

PrintOperation PrintOperation::Text(int x, int y, std::string text) {
  PrintOperation operation;
  operation.kind = Kind::kText;
  operation.x = x;
  operation.y = y;
  operation.text = std::move(text);
  return operation;
}

PrintOperation PrintOperation::Line(int x, int y, int x2, int y2, int width, int gray) {
  PrintOperation operation;
  operation.kind = Kind::kLine;
  operation.x = x;
  operation.y = y;
  operation.x2 = x2;
  operation.y2 = y2;
  operation.width = width;
  operation.gray = gray;
  return operation;
}

std::string Describe(const PrintOperation& operation) {
  std::ostringstream out;
  switch (operation.kind) {
    case PrintOperation::Kind::kSetFont:
      out << "font " << (operation.systemFace ? "(system)" : operation.face) << ' '
          << operation.points;
      break;
    case PrintOperation::Kind::kSetItalic:
      out << (operation.italic ? "italic on" : "italic off");
      break;
    case PrintOperation::Kind::kText:
      out << "text " << operation.x << ',' << operation.y << " \"";
      for (char c : operation.text) {
        if (c == '\r') {
          out << "\\r";
        } else if (c == '\n') {
          out << "\\n";
        } else {
          out << c;
        }
      }
      out << '"';
      break;
    case PrintOperation::Kind::kLine:
      out << "line " << operation.x << ',' << operation.y << " to " << operation.x2 << ','
          << operation.y2 << " width " << operation.width << " gray " << operation.gray;
      break;
  }
  return out.str();
}

}  // namespace tallyra
