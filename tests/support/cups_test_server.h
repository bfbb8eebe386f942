#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace tallyra {

// A private print server for the print tests: cupsd, as root, on a configuration, socket
// and folders under a temporary folder, with three queues that write PDF files:
//   kQueue        paper "Cheque" 266 × 166 mm (and the voucher's 125 × 266, A4), printable
//                 area 4.2 mm from the left edge, 5 mm from the top, 3 mm from the right
//                 and 6 mm from the bottom; it turns a landscape page a quarter turn
//                 counter-clockwise onto the upright sheet (Plus90);
//   kMinus90Queue the same, turning landscape pages clockwise (Minus90);
//   kA4Queue      A4 only, no custom sizes: a queue that cannot take the forms' paper.
// This process talks to it through libcups; everything it starts it stops by process id.
class CupsTestServer final {
 public:
  static constexpr const char* kQueue = "TallyraTest";
  static constexpr const char* kMinus90Queue = "TallyraMinus90";
  static constexpr const char* kA4Queue = "TallyraA4";
  static constexpr double kLeftMarginMm = 4.2;
  static constexpr double kTopMarginMm = 5.0;
  static constexpr double kRightMarginMm = 3.0;
  static constexpr double kBottomMarginMm = 6.0;

  CupsTestServer();  // starts the server; Problem() says why when it did not
  ~CupsTestServer();
  CupsTestServer(const CupsTestServer&) = delete;
  CupsTestServer& operator=(const CupsTestServer&) = delete;

  // Empty once the server runs with its queues; otherwise why it does not.
  const QString& Problem() const { return problem_; }
  // Runs a CUPS command-line tool (cupsdisable, cupsreject, lpstat …) against this server.
  bool Run(const QString& program, const QStringList& args, QString* output = nullptr);
  // Stops the server; the queues stay configured but nobody answers.
  void Stop();
  // Waits until the queues wrote count PDF files and have no job left (or the time is up)
  // and returns the PDF files written. cups-pdf names a file after the job's title: two
  // jobs of one title leave one file.
  QStringList WaitForPdfs(int count, int timeoutMs);
  // The PDF files the queues wrote so far.
  QStringList Pdfs() const;
  // Every job the server was given, finished or not.
  int JobCount();
  // The folder where the server keeps the documents as they were submitted.
  QString SpoolDir() const;

 private:
  bool Start();
  bool WriteFiles();
  QString Path(const QString& relative) const { return dir_.filePath(relative); }

  QTemporaryDir dir_;
  QString cupsPdfName_;    // the queues' device is cups-pdf:/<name>
  QString cupsPdfConfig_;  // /etc/cups/cups-pdf-<name>.conf: cups-pdf reads it only there
  std::unique_ptr<QProcess> cupsd_;
  QString problem_;
};

// Only Linux has a cupsd to start; elsewhere the print-server tests always skip.
#ifdef __linux__
inline constexpr bool kCupsTestServerExpected = true;
#else
inline constexpr bool kCupsTestServerExpected = false;
#endif

}  // namespace tallyra

// Needs a running test print server: skips with the reason, except in CI (CI=true) on
// Linux, where a print server that cannot start fails the test instead of leaving it
// silently green.
#define TALLYRA_REQUIRE_CUPS(server)                                                      \
  do {                                                                                    \
    if (!(server).Problem().isEmpty()) {                                                  \
      if (::tallyra::kCupsTestServerExpected &&                                           \
          qEnvironmentVariable("CI") == QLatin1String("true")) {                          \
        FAIL() << "CI needs the test print server: " << (server).Problem().toStdString(); \
      }                                                                                   \
      GTEST_SKIP() << "no test print server: " << (server).Problem().toStdString();       \
    }                                                                                     \
  } while (false)
