#include "app/about_window.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

#include "app/version.h"

namespace tallyra {

AboutWindow::AboutWindow(QWidget* owner, std::function<QString()> clockText)
    : QWidget(owner, Qt::Window),
      clockText_(std::move(clockText)),
      clockLabel_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("AboutWindow"));
  setWindowTitle(QStringLiteral("关于"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(454, 251);
  background_.load(QStringLiteral(":/pictures/about_background.png"));

  auto* title = new QLabel(QStringLiteral("Tallyra V" TALLYRA_VERSION_SHORT), this);
  title->setObjectName(QStringLiteral("标签1"));
  title->setGeometry(6, 8, 440, 46);
  title->setFont(QFont(QStringLiteral("楷体_GB2312"), 24));

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("图片框1"));
  picture->setGeometry(310, 10, 127, 127);
  picture->setPixmap(QPixmap(QStringLiteral(":/pictures/about_picture.png")));

  // The full version, as the Windows program's version information and the installer give it.
  auto* version = new QLabel(QStringLiteral("版本 " TALLYRA_VERSION), this);
  version->setObjectName(QStringLiteral("版本标签"));
  version->setGeometry(7, 196, 296, 20);

  clockLabel_->setObjectName(QStringLiteral("标签3"));
  clockLabel_->setGeometry(7, 218, 439, 20);
  clockLabel_->setText(clockText_());

  progress_->setObjectName(QStringLiteral("进度条"));
  progress_->setGeometry(7, 242, 438, 7);
  progress_->setRange(0, kMaximum);
  progress_->setValue(0);
  progress_->setTextVisible(false);

  timer_->setObjectName(QStringLiteral("时钟1"));
  connect(timer_, &QTimer::timeout, this, &AboutWindow::Tick);
  timer_->start(60);
}

void AboutWindow::Tick() {
  clockLabel_->setText(clockText_());
  ++position_;
  progress_->setValue(std::min(position_, kMaximum));
  if (position_ > kMaximum) {
    timer_->stop();
    close();
  }
}

void AboutWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), background_);
}

}  // namespace tallyra
