#pragma once

#include <QDateTime>
#include <QString>
#include <deque>
#include <vector>

#include "forms/print_operation.h"
#include "platform/print_service.h"
#include "platform/services.h"

namespace tallyra {

// Message boxes answered from a script; every box shown is recorded.
class FakeMessageBoxes final : public MessageBoxes {
 public:
  std::vector<Message> shown;
  std::deque<MessageAnswer> answers;  // empty: OK

  std::vector<QString> Texts() const;

 protected:
  MessageAnswer Present(QWidget* parent, const Message& message) override;
};

class FakeClock final : public Clock {
 public:
  QDateTime now = QDateTime(QDate(2011, 11, 25), QTime(9, 5, 7));
  QDateTime Now() const override { return now; }
};

class FakeSound final : public SoundPlayer {
 public:
  int chirps = 0;
  void PlayChirp() override { ++chirps; }
};

class FakeShell final : public Shell {
 public:
  std::vector<QString> opened;    // every path asked for
  std::vector<QString> openable;  // the paths that open
  bool OpenFile(const QString& path) override;
};

class FakeProcess final : public ProcessControl {
 public:
  int ended = 0;
  void EndProgram() override { ++ended; }
  void FatalError(int code, const QString& text) override;
};

// Records every run printed or previewed; printing answers as told (false: cancelled in
// the print dialog, which every run handed to Print reaches).
class FakePrintService final : public PrintService {
 public:
  int dialogs = 0;  // runs handed to Print, printed or cancelled
  std::vector<PrintRun> printed;
  std::vector<PrintRun> previewed;
  bool printAnswer = true;
  bool Print(QWidget*, const PrintRun& run) override;
  void Preview(QWidget*, const PrintRun& run) override { previewed.push_back(run); }
};

// File dialogs answered from a script: each call takes the next answer (empty: cancelled).
class FakeFileDialogs final : public FileDialogs {
 public:
  std::deque<QString> answers;
  std::vector<QString> suggested;  // the names offered to save under
  QString OpenFileName(QWidget*, const QString&, const QString&) override { return Next(); }
  QString SaveFileName(QWidget*, const QString&, const QString& name, const QString&) override {
    suggested.push_back(name);
    return Next();
  }

 private:
  QString Next();
};

struct FakeServices {
  FakeMessageBoxes messages;
  FakeClock clock;
  FakeSound sound;
  FakeShell shell;
  FakeProcess process;
  FakePrintService printing;
  FakeFileDialogs files;
  Services services{messages, clock, sound, shell, process, printing, files};
};

}  // namespace tallyra
