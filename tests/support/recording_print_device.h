#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/print_device.h"

namespace tallyra {

// What reached a device during one job.
struct RecordedJob {
  std::string jobName;
  PaperSpec paper;
  std::vector<PrintOperation> operations;
  bool ended = false;

  friend bool operator==(const RecordedJob&, const RecordedJob&) = default;
};

// A device that prints nothing and remembers every operation, for tests.
class RecordingPrintDevice final : public PrintDevice {
 public:
  // What BeginPrintJob answers: false plays a cancelled print dialog.
  bool beginAnswer = true;
  // Set by a started job; empty when the job did not start.
  std::optional<RecordedJob> job;

 protected:
  bool Begin(const PaperSpec& paper, std::string_view jobName) override;
  void SetFont(std::string_view face, double points) override;
  void SetSystemFont(double points) override;
  void SetItalic(bool on) override;
  void Text(int x, int y, std::string_view text) override;
  void Line(int x, int y, int x2, int y2, int width, int gray) override;
  void End() override;
};

}  // namespace tallyra
