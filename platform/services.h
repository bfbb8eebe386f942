#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

// The platform services windows use, injected so that tests can answer them.
namespace tallyra {

enum class MessageIcon { kNone, kInformation, kWarning, kError, kQuestion };
enum class MessageButtons { kOk, kOkCancel, kYesNo };
enum class MessageAnswer { kOk, kCancel, kYes, kNo };

struct Message {
  QString text;
  QString title;
  MessageIcon icon = MessageIcon::kNone;
  MessageButtons buttons = MessageButtons::kOk;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box; a message without a title gets "信息：".
  MessageAnswer Show(QWidget* parent, Message message);
  // The error box most failures use: title "错误信息！", error icon, OK.
  void ShowError(QWidget* parent, const QString& text);

 protected:
  virtual MessageAnswer Present(QWidget* parent, const Message& message) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime Now() const = 0;
};

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // The short chirp supplied with the program; silent without an audio device.
  virtual void PlayChirp() = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a file with the desktop's default action; false when nothing could open it.
  virtual bool OpenFile(const QString& path) = 0;
};

class ProcessControl {
 public:
  virtual ~ProcessControl() = default;
  // Ends the process at once with exit code 0; windows are not asked.
  virtual void EndProgram() = 0;
  // Shows "运行时出错!" with the code and text (FatalErrorText) in a message box, then ends
  // the process with a non-zero code.
  virtual void FatalError(int code, const QString& text) = 0;
};

// The system's dialogs for choosing a file to read or write.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The file chosen to read; empty when cancelled.
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
  // The file chosen to write, the overwriting of an existing one confirmed; empty when
  // cancelled. suggested: the file name offered.
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& suggested,
                               const QString& filter) = 0;
};

class PrintService;

struct Services {
  MessageBoxes& messages;
  Clock& clock;
  SoundPlayer& sound;
  Shell& shell;
  ProcessControl& process;
  PrintService& printing;
  FileDialogs& files;
};

}  // namespace tallyra
