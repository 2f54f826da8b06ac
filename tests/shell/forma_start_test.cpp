// The first-start dialog on the screen.
#include "shell/base/forma_start.h"

#include <gtest/gtest.h>

#include "tests/qt_test_support.h"

namespace movra {
namespace {

TEST(FormaStart, AMinimisedDialogComesBackAtOnce) {
  TFormaStart dialog;
  dialog.show();
  ASSERT_TRUE(movra::testing::RunEventLoopUntil([&] { return dialog.isVisible(); }));
  dialog.setWindowState(Qt::WindowMinimized);
  EXPECT_TRUE(movra::testing::RunEventLoopUntil(
      [&] { return !(dialog.windowState() & Qt::WindowMinimized); }));
  EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
}  // namespace movra
