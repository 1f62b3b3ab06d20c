// Opens the main window alone, runs a 3 x 3 calculation in it as a user would, and keeps it on
// screen until the file named by its argument exists. scripts/screenshot.sh grabs it meanwhile.
// Not part of the program: the start-up's splash and timers would only get in the way here.
#include <cstdio>
#include <filesystem>

#include "control_window/control_wnd.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DONE-FILE\n", argv[0]);
    return 2;
  }
  const std::filesystem::path done = argv[1];
  fw::RuntimeInit(argc, argv);

  fw::Ref<ControlWnd> w = ControlWnd::Instance();
  fw::testing::Activate(w);
  const char* const table[3][3] = {{"20", "5", "5"}, {"5", "20", "5"}, {"5", "5", "20"}};
  fw::Ref<fw::TextArea> cells[3][3] = {{w->data11(), w->data12(), w->data13()},
                                       {w->data21(), w->data22(), w->data23()},
                                       {w->data31(), w->data32(), w->data33()}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) fw::testing::TypeText(cells[r][c], table[r][c]);
  {
    fw::testing::MessageBoxRecorder boxes;  // this table gives none; never block on one
    fw::testing::Click(w->CalcBtn());
  }
  fw::testing::ParkMouse();
  fw::testing::ProcessEvents(200);

  std::puts("ready");
  std::fflush(stdout);
  fw::testing::WaitUntil([&] { return std::filesystem::exists(done); }, 120000);
  fw::testing::DestroyAllWindows();
  return 0;
}
