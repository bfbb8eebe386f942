#pragma once

#include "platform/qt_print_service.h"
#include "platform/services.h"

namespace tallyra {

class QtMessageBoxes final : public MessageBoxes {
 protected:
  MessageAnswer Present(QWidget* parent, const Message& message) override;
};

class SystemClock final : public Clock {
 public:
  QDateTime Now() const override;
};

// Plays the chirp through the system's own player: PlaySound on Windows, ALSA's aplay
// elsewhere. Without either, or without an audio device, it stays silent.
class SystemSoundPlayer final : public SoundPlayer {
 public:
  void PlayChirp() override;
};

class DesktopShell final : public Shell {
 public:
  bool OpenFile(const QString& path) override;
};

// Ends the process; a fatal error is told through the message boxes first, like every other
// message, and nowhere else.
class QtProcessControl final : public ProcessControl {
 public:
  explicit QtProcessControl(MessageBoxes& messages) : messages_(messages) {}
  void EndProgram() override;
  void FatalError(int code, const QString& text) override;

 private:
  MessageBoxes& messages_;
};

// Opens in the user's documents folder the first time, then where the last file was.
class QtFileDialogs final : public FileDialogs {
 public:
  QString OpenFileName(QWidget* parent, const QString& title, const QString& filter) override;
  QString SaveFileName(QWidget* parent, const QString& title, const QString& suggested,
                       const QString& filter) override;

 private:
  QString folder_;
};

// The real services of the program, owned in one place.
class QtServices final {
 public:
  QtServices();
  Services& Get() { return services_; }

 private:
  QtMessageBoxes messages_;
  SystemClock clock_;
  SystemSoundPlayer sound_;
  DesktopShell shell_;
  QtProcessControl process_;
  QtPrintService printing_;
  QtFileDialogs files_;
  Services services_;
};

}  // namespace tallyra
