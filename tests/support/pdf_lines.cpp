#include "tests/support/pdf_lines.h"

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QtEndian>
#include <array>

namespace tallyra {
namespace {

// An affine matrix as PDF writes it: a b c d e f.
using Matrix = std::array<double, 6>;

Matrix Multiply(const Matrix& m, const Matrix& n) {  // m then n
  return {m[0] * n[0] + m[1] * n[2],        m[0] * n[1] + m[1] * n[3],
          m[2] * n[0] + m[3] * n[2],        m[2] * n[1] + m[3] * n[3],
          m[4] * n[0] + m[5] * n[2] + n[4], m[4] * n[1] + m[5] * n[3] + n[5]};
}

// A zlib stream, inflated through qUncompress, which wants the size up front.
QByteArray Inflate(const QByteArray& deflated) {
  QByteArray sized(4, '\0');
  qToBigEndian<quint32>(static_cast<quint32>(deflated.size() * 50), sized.data());
  return qUncompress(sized + deflated);
}

// Every stream of the file, inflated where it is compressed.
std::vector<QByteArray> Streams(const QByteArray& file) {
  std::vector<QByteArray> streams;
  qsizetype at = 0;
  while ((at = file.indexOf("stream", at)) >= 0) {
    if (at >= 3 && file.mid(at - 3, 3) == "end") {
      at += 6;
      continue;
    }
    qsizetype begin = at + 6;
    if (file[begin] == '\r') ++begin;
    if (file[begin] == '\n') ++begin;
    const qsizetype end = file.indexOf("endstream", begin);
    if (end < 0) break;
    const QByteArray raw = file.mid(begin, end - begin);
    const qsizetype dictionary = file.lastIndexOf("<<", at);
    const bool deflated =
        dictionary >= 0 && file.mid(dictionary, at - dictionary).contains("/FlateDecode");
    streams.push_back(deflated ? Inflate(raw) : raw);
    at = end + 9;
  }
  return streams;
}

double PageHeight(const QByteArray& file) {
  static const QRegularExpression box(
      QStringLiteral(R"(/MediaBox\s*\[\s*[\d.]+\s+[\d.]+\s+[\d.]+\s+([\d.]+)\s*\])"));
  const auto match = box.match(QString::fromLatin1(file));
  return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

struct State {
  Matrix ctm{1, 0, 0, 1, 0, 0};
  double width = 1;
  double gray = 0;
};

class ContentReader {
 public:
  explicit ContentReader(double pageHeight) : pageHeight_(pageHeight) {}

  void Read(const QByteArray& content) {
    for (const QByteArray& token : content.simplified().split(' ')) {
      bool number = false;
      const double value = token.toDouble(&number);
      if (number) {
        operands_.push_back(value);
        continue;
      }
      Operator(token);
      operands_.clear();
    }
  }

  std::vector<PdfLine> lines;

 private:
  void Operator(const QByteArray& op) {
    if (op == "q") {
      stack_.push_back(state_);
    } else if (op == "Q" && !stack_.empty()) {
      state_ = stack_.back();
      stack_.pop_back();
    } else if (op == "cm" && operands_.size() == 6) {
      Matrix m;
      std::copy(operands_.begin(), operands_.end(), m.begin());
      state_.ctm = Multiply(m, state_.ctm);
    } else if (op == "w" && operands_.size() == 1) {
      state_.width = operands_[0];
    } else if ((op == "SCN" || op == "RG") && operands_.size() >= 3) {
      state_.gray = operands_[0];
    } else if (op == "m" && operands_.size() == 2) {
      path_ = {operands_[0], operands_[1]};
    } else if (op == "l" && operands_.size() == 2) {
      path_.push_back(operands_[0]);
      path_.push_back(operands_[1]);
    } else if (op == "S") {
      if (path_.size() == 4) Stroke();
      path_.clear();
    } else if (op == "n" || op == "f" || op == "re") {
      path_.clear();
    }
  }

  void Stroke() {
    const Matrix& m = state_.ctm;
    constexpr double kMmPerPoint = 25.4 / 72.0;
    const auto toMm = [&](double x, double y, double& outX, double& outY) {
      outX = (m[0] * x + m[2] * y + m[4]) * kMmPerPoint;
      outY = (pageHeight_ - (m[1] * x + m[3] * y + m[5])) * kMmPerPoint;
    };
    PdfLine line{};
    toMm(path_[0], path_[1], line.x1, line.y1);
    toMm(path_[2], path_[3], line.x2, line.y2);
    line.widthMm = state_.width * std::abs(m[0] != 0 ? m[0] : m[1]) * kMmPerPoint;
    line.gray = state_.gray;
    lines.push_back(line);
  }

  double pageHeight_;
  State state_;
  std::vector<State> stack_;
  std::vector<double> operands_;
  std::vector<double> path_;
};

}  // namespace

std::vector<PdfLine> ReadLines(const QString& pdf) {
  QFile file(pdf);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  ContentReader reader(PageHeight(bytes));
  // The page's content is the stream that sets a matrix; fonts and images do not.
  for (const QByteArray& stream : Streams(bytes)) {
    if (stream.contains(" cm") && stream.contains("/GSa gs")) reader.Read(stream);
  }
  return reader.lines;
}

}  // namespace tallyra
