#include "app/about_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

namespace tallyra {
namespace {

TEST(AboutWindowTest, ClosesItselfOnThe2112thTickAndFollowsTheClock) {
  int clockReads = 0;
  QPointer<AboutWindow> about =
      new AboutWindow(nullptr, [&clockReads] { return QString::number(++clockReads); });
  about->show();
  auto* progress = about->findChild<QProgressBar*>(QStringLiteral("进度条"));
  EXPECT_EQ(progress->maximum(), 2111);
  for (int tick = 1; tick <= 2111; ++tick) about->Tick();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(about.isNull()) << "still open after 2111 ticks";
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(progress->value(), 2111);
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("标签3"))->text(), "2112");
  about->Tick();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(about.isNull()) << "closed on the 2112th tick";
}

}  // namespace
}  // namespace tallyra
