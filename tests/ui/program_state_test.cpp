#include "ui/program_state.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>

#include "tests/support/test_form.h"

namespace tallyra {
namespace {

void ProcessDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

TEST(ProgramStateTest, OneFormAtATime) {
  ProgramState state;
  CloseCurrentForm(state);  // nothing registered: nothing happens
  EXPECT_EQ(state.CurrentForm, nullptr);

  QPointer<QWidget> first = OpenForm(state, [&] { return new TestForm(state, nullptr); });
  EXPECT_EQ(state.CurrentForm, first);
  EXPECT_TRUE(first->isVisible());

  QPointer<QWidget> second = OpenForm(state, [&] { return new TestForm(state, nullptr); });
  EXPECT_TRUE(first.isNull()) << "opening a form destroys the registered one";
  EXPECT_EQ(state.CurrentForm, second);

  CloseCurrentForm(state);
  EXPECT_TRUE(second.isNull());
  EXPECT_EQ(state.CurrentForm, nullptr);
}

TEST(ProgramStateTest, AFormClosedByTheUserClearsItsRegistration) {
  ProgramState state;
  QPointer<QWidget> form = OpenForm(state, [&] { return new TestForm(state, nullptr); });
  form->close();
  ProcessDeletes();
  EXPECT_TRUE(form.isNull());
  EXPECT_EQ(state.CurrentForm, nullptr);
  CloseCurrentForm(state);  // and closing nothing afterwards is harmless
}

}  // namespace
}  // namespace tallyra
