#pragma once

#include <memory>

#include "platform/qt_print_service.h"
#include "platform/services.h"

class QSoundEffect;

namespace tallyra {

class QtMessageBoxes final : public MessageBoxes {
 protected:
  MessageAnswer Present(QWidget* parent, const Message& message) override;
};

class SystemClock final : public Clock {
 public:
  QDateTime Now() const override;
};

class QtSoundPlayer final : public SoundPlayer {
 public:
  QtSoundPlayer();
  ~QtSoundPlayer() override;
  void PlayChirp() override;

 private:
  std::unique_ptr<QSoundEffect> effect_;  // made on first use: audio start-up is slow
};

class DesktopShell final : public Shell {
 public:
  bool OpenFile(const QString& path) override;
};

class QtProcessControl final : public ProcessControl {
 public:
  void EndProgram() override;
  void FatalError(int code, const QString& text) override;
};

// The real services of the program, owned in one place.
class QtServices final {
 public:
  QtServices();
  Services& Get() { return services_; }

 private:
  QtMessageBoxes messages_;
  SystemClock clock_;
  QtSoundPlayer sound_;
  DesktopShell shell_;
  QtProcessControl process_;
  QtPrintService printing_;
  Services services_;
};

}  // namespace tallyra
