#include "tests/support/recording_print_device.h"

namespace tallyra {

bool RecordingPrintDevice::Begin(const PaperSpec& paper, std::string_view jobName) {
  if (!beginAnswer) return false;
  job = RecordedJob{std::string(jobName), paper, {}, false};
  return true;
}

void RecordingPrintDevice::SetFont(std::string_view face, double points) {
  job->operations.push_back(PrintOperation::SetFont(std::string(face), points));
}

void RecordingPrintDevice::SetSystemFont(double points) {
  job->operations.push_back(PrintOperation::SetSystemFont(points));
}

void RecordingPrintDevice::SetItalic(bool on) {
  job->operations.push_back(PrintOperation::SetItalic(on));
}

void RecordingPrintDevice::Text(int x, int y, std::string_view text) {
  job->operations.push_back(PrintOperation::Text(x, y, std::string(text)));
}

void RecordingPrintDevice::Line(int x, int y, int x2, int y2, int width, int gray) {
  job->operations.push_back(PrintOperation::Line(x, y, x2, y2, width, gray));
}

void RecordingPrintDevice::End() { job->ended = true; }

}  // namespace tallyra
