#pragma once

#include <string>
#include <string_view>

#include "forms/print_layout.h"
#include "forms/print_operation.h"

// Where a print run goes: a printer, a PDF file, a preview or a recorder. Devices only
// implement the protected steps; the public operations hold the rules all devices share.
namespace tallyra {

// The face that stands in for a face name that is empty or longer than 31 GBK bytes.
inline constexpr std::string_view kDefaultPrintFace = "宋体";
// The printer's font before a form sets one: 宋体, 10 screen pixels high at 96 dpi.
inline constexpr double kInitialPrintPoints = 7.5;

class PrintDevice {
 public:
  PrintDevice() = default;
  PrintDevice(const PrintDevice&) = delete;
  PrintDevice& operator=(const PrintDevice&) = delete;
  virtual ~PrintDevice() = default;

  // Starts the document and its only page on the given paper, margins 0. False when no
  // printer was chosen or it could not start; every later call then does nothing.
  bool BeginPrintJob(const PaperSpec& paper, std::string_view jobName);
  void SetPrintFont(std::string_view face, double points);
  // The platform's default user-interface face at the given size.
  void SetPrintSystemFont(double points);
  void SetPrintItalic(bool on);
  // Draws the text with its top-left corner at (x, y) in 0.1 mm; an empty text draws
  // nothing.
  void PrintText(int x, int y, std::string_view text);
  // Draws a straight line from (x, y) to (x2, y2) in 0.1 mm, width in 0.01 mm, gray 0
  // (black) to 255 (white).
  void PrintLine(int x, int y, int x2, int y2, int width, int gray);
  // Finishes the page and the document.
  void EndPrintJob();

  bool Started() const { return started_; }

 protected:
  virtual bool Begin(const PaperSpec& paper, std::string_view jobName) = 0;
  virtual void SetFont(std::string_view face, double points) = 0;
  virtual void SetSystemFont(double points) = 0;
  virtual void SetItalic(bool on) = 0;
  virtual void Text(int x, int y, std::string_view text) = 0;
  virtual void Line(int x, int y, int x2, int y2, int width, int gray) = 0;
  virtual void End() = 0;

 private:
  bool started_ = false;
};

// Runs a print run on a device from BeginPrintJob to EndPrintJob. Returns whether the
// page was printed (false when the job did not start).
bool ExecutePrintRun(const PrintRun& run, PrintDevice& device);

}  // namespace tallyra
