#include "forms/print_device.h"

#include <algorithm>

#include "data/gbk_text.h"

namespace tallyra {

namespace {

constexpr std::size_t kMaxFaceBytes = 31;

void Execute(const PrintOperation& operation, PrintDevice& device) {
  switch (operation.kind) {
    case PrintOperation::Kind::kSetFont:
      if (operation.systemFace) {
        device.SetPrintSystemFont(operation.points);
      } else {
        device.SetPrintFont(operation.face, operation.points);
      }
      break;
    case PrintOperation::Kind::kSetItalic:
      device.SetPrintItalic(operation.italic);
      break;
    case PrintOperation::Kind::kText:
      device.PrintText(operation.x, operation.y, operation.text);
      break;
    case PrintOperation::Kind::kLine:
      device.PrintLine(operation.x, operation.y, operation.x2, operation.y2, operation.width,
                       operation.gray);
      break;
  }
}

}  // namespace

bool PrintDevice::BeginPrintJob(const PaperSpec& paper, std::string_view jobName) {
  if (started_) EndPrintJob();  // one page per job: a second Begin starts a new job
  started_ = Begin(paper, jobName);
  return started_;
}

void PrintDevice::SetPrintFont(std::string_view face, double points) {
  if (!started_) return;
  const std::size_t bytes = GbkLength(face);
  SetFont(bytes == 0 || bytes > kMaxFaceBytes ? kDefaultPrintFace : face, points);
}

void PrintDevice::SetPrintSystemFont(double points) {
  if (started_) SetSystemFont(points);
}

void PrintDevice::SetPrintItalic(bool on) {
  if (started_) SetItalic(on);
}

void PrintDevice::PrintText(int x, int y, std::string_view text) {
  if (started_ && !text.empty()) Text(x, y, text);
}

void PrintDevice::PrintLine(int x, int y, int x2, int y2, int width, int gray) {
  if (started_) Line(x, y, x2, y2, std::max(width, 0), std::clamp(gray, 0, 255));
}

void PrintDevice::EndPrintJob() {
  if (!started_) return;
  started_ = false;
  End();
}

bool ExecutePrintRun(const PrintRun& run, PrintDevice& device) {
  if (!device.BeginPrintJob(run.paper, run.jobName)) return false;
  for (const PrintOperation& operation : run.operations) Execute(operation, device);
  device.EndPrintJob();
  return true;
}

}  // namespace tallyra
