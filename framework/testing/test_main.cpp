// main() of the GUI test binaries: the headless application, then GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/runtime.h"
#include "framework/testing/testing.h"

int main(int argc, char** argv) {
  // Headless unless the caller chose a platform (an Xvfb run, for instance).
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  fw::RuntimeInit(argc, argv);
  const int result = RUN_ALL_TESTS();
  fw::testing::DestroyAllWindows();
  return result;
}
