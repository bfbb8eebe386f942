#pragma once

namespace tallyra {

// A window that may choose its own place on the screen. The main window puts the windows
// it opens beside its menu, unless the window says it has placed itself.
class SelfPlacingWindow {
 public:
  virtual bool PlacesItself() const = 0;

 protected:
  SelfPlacingWindow() = default;
  ~SelfPlacingWindow() = default;
  SelfPlacingWindow(const SelfPlacingWindow&) = default;
  SelfPlacingWindow& operator=(const SelfPlacingWindow&) = default;
};

}  // namespace tallyra
