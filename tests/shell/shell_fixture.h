// The program's windows on the offscreen platform, with the application object and its menu bar
// in place as the early start-up leaves them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_window/control_wnd.h"
#include "framework/application.h"
#include "framework/testing/testing.h"
#include "framework/window.h"
#include "shell/about_wnd.h"
#include "shell/description_wnd.h"
#include "shell/startup.h"

// Generous: the About window's timer runs 4000 ms, and sanitizer builds are slow.
inline constexpr int kTimerWaitMs = 15000;

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fw::GetAppObject()) NewAppInstance();
    fw::testing::ParkMouse();
  }
  void TearDown() override {
    fw::testing::DestroyAllWindows();
    fw::testing::ProcessEvents();
    // An exception escaping a handler ends up as a message box.
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
  }

  static fw::Ref<fw::Window> Live(const fw::ClassRecord& windowClass) {
    return fw::GetImplicitWindow(windowClass.name);
  }
  static bool Shown(const fw::Ref<fw::Window>& w) { return w && w->Visible(); }
  static bool MainWindowInFront() {
    fw::Ref<fw::Window> main = Live(ControlWnd::Class());
    return Shown(main) && fw::FrontWindow() == main;
  }
  // In front and its activation delivered: the main window's Activate hides the About window,
  // so a test that shows the About window again waits for this first.
  static bool MainWindowActive() {
    return MainWindowInFront() && fw::testing::ShownWindowOf(Live(ControlWnd::Class())).active;
  }

  fw::testing::MessageBoxRecorder boxes;
};
