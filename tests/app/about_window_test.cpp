#include "app/about_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

#include "app/version.h"

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

TEST(AboutWindowTest, ShowsTheProgramsVersion) {
  AboutWindow about(nullptr, [] { return QString(); });
  EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("标签1"))->text(), "Tallyra V5.0");
  auto* version = about.findChild<QLabel*>(QStringLiteral("版本标签"));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->text(), QStringLiteral("版本 " TALLYRA_VERSION));
  EXPECT_TRUE(version->geometry().bottom() <
              about.findChild<QLabel*>(QStringLiteral("标签3"))->y());
}

}  // namespace
}  // namespace tallyra
