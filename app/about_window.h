#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;
class QTimer;

namespace tallyra {

// Shows the product name and the main window's clock, and closes itself after 2112
// ticks of 60 ms while its progress bar fills. Never registers as the current form.
class AboutWindow final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(AboutWindow)

 public:
  static constexpr int kMaximum = 2111;

  AboutWindow(QWidget* owner, std::function<QString()> clockText);

  void Tick();
  int Position() const { return position_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<QString()> clockText_;
  QLabel* clockLabel_;
  QProgressBar* progress_;
  QTimer* timer_;
  QPixmap background_;
  int position_ = 0;  // may pass the maximum; the bar then stays full
};

}  // namespace tallyra
