// The two pictures: loaded once and shared, retried while they cannot be had; the windows'
// canvases that show them, and those windows made while a picture's file is missing.
#include "shell/pictures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "framework/testing/testing.h"
#include "shell_fixture.h"
#include "tests/shell/fresh_process.h"

namespace {

namespace fs = std::filesystem;
using fw::testing::PictureFilesRead;

TEST(PicturesTest, AreTheShippedArtwork) {
  struct Case {
    fw::Ref<fw::Picture> (*accessor)();
    int width, height;
  };
  for (const Case& c : {Case{&chi, 462, 48}, Case{&Quest32, 27, 32}}) {
    fw::Ref<fw::Picture> picture = c.accessor();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), c.width);
    EXPECT_EQ(picture->Height(), c.height);
  }
}

// Every canvas that shows a picture shares one object, read from its file once.
TEST(PicturesTest, LoadOnceAndShare) {
  InFreshProcess([] {
    const int before = PictureFilesRead();
    fw::Ref<fw::Picture> first = chi();
    fw::Ref<fw::Picture> again = chi();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(again, first);
    EXPECT_EQ(PictureFilesRead(), before + 1);
    EXPECT_NE(Quest32(), first) << "each accessor has its own picture";
    EXPECT_EQ(PictureFilesRead(), before + 2);
  });
}

// A missing picture keeps nothing, reports nothing, and is looked for again on the next call.
TEST(PicturesTest, MissingPictureIsTriedAgain) {
  InFreshProcess([] {
    const fs::path folder =
        fs::path(::testing::TempDir()) / ("vantrel-quest-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path shipped = fs::path(fw::ResourcesFolder()) / "Quest32.png";
    {
      fw::testing::ResourcesFolderOverride elsewhere(folder.string());
      EXPECT_EQ(Quest32(), nullptr);
      EXPECT_EQ(Quest32(), nullptr);

      fs::copy_file(shipped, folder / "Quest32.png");
      const int before = PictureFilesRead();
      fw::Ref<fw::Picture> found = Quest32();
      ASSERT_NE(found, nullptr);
      EXPECT_EQ(PictureFilesRead(), before + 1);

      fs::remove(folder / "Quest32.png");
      EXPECT_EQ(Quest32(), found) << "once loaded, the picture is kept";
      EXPECT_EQ(PictureFilesRead(), before + 1);
    }
    fs::remove_all(folder);
  });
}

// Which canvas of a window shows which picture.
struct Backdrop {
  const char* canvas;
  const char* file;
  fw::Ref<fw::Picture> (*picture)();
};

struct PicturedWindow {
  const char* name;
  std::function<fw::Ref<fw::Window>()> make;
  std::vector<Backdrop> backdrops;
};

const PicturedWindow kPicturedWindows[] = {
    {"MainWindow",
     [] { return fw::Ref<fw::Window>(ControlWnd::Instance()); },
     {{"ChiTitle", "chi.png", &chi}, {"Canvas1", "Quest32.png", &Quest32}}},
    {"AboutWindow",
     [] { return fw::Ref<fw::Window>(AboutWnd::Instance()); },
     {{"Canvas1", "chi.png", &chi}}},
};

fw::Ref<fw::Canvas> CanvasOf(const fw::Ref<fw::Window>& window, const char* name) {
  return fw::RuntimeCheckCast<fw::Canvas>(window->ControlByName(name));
}

// Each of the window's canvases shows its picture, the one object its accessor hands out.
void ExpectBackdrops(const PicturedWindow& window, const fw::Ref<fw::Window>& w) {
  for (const Backdrop& b : window.backdrops) {
    ASSERT_NE(b.picture(), nullptr) << b.file;
    EXPECT_TRUE(CanvasOf(w, b.canvas)->Backdrop() == b.picture()) << window.name << " " << b.canvas;
  }
}

class PicturedWindowsTest : public ShellTest {};

// As at start-up, the About window first and then the main window: each file is read once, and
// a later instance of the main window gets the same objects again.
TEST_F(PicturedWindowsTest, CanvasesShareTheOnePictureOfEachFile) {
  InFreshProcess([] {
    const PicturedWindow& mainWindow = kPicturedWindows[0];
    const PicturedWindow& aboutWindow = kPicturedWindows[1];
    const int before = PictureFilesRead();
    fw::Ref<fw::Window> about = aboutWindow.make();
    fw::Ref<fw::Window> main = mainWindow.make();
    ExpectBackdrops(aboutWindow, about);
    ExpectBackdrops(mainWindow, main);
    EXPECT_TRUE(CanvasOf(main, "ChiTitle")->Backdrop() == CanvasOf(about, "Canvas1")->Backdrop());

    fw::testing::CloseByUser(main);
    fw::testing::ProcessEvents();
    fw::Ref<fw::Window> again = mainWindow.make();
    ASSERT_FALSE(again == main);
    ExpectBackdrops(mainWindow, again);
    EXPECT_EQ(PictureFilesRead(), before + 2);
  });
}

// A window made while one picture file is missing is made and shown all the same: the canvases
// of the missing picture have no backdrop, the others have theirs, and nothing is reported. Each
// case runs in a process of its own, so that no picture is loaded before it.
using MissingFileCase = std::tuple<const char*, const PicturedWindow*>;

void PrintTo(const MissingFileCase& c, std::ostream* os) {
  *os << std::get<0>(c) << " missing, " << std::get<1>(c)->name;
}

class MissingPictureFileTest : public ShellTest,
                               public ::testing::WithParamInterface<MissingFileCase> {};

TEST_P(MissingPictureFileTest, TheWindowIsMadeWithoutThatBackdrop) {
  const std::string missing = std::get<0>(GetParam());
  const PicturedWindow& window = *std::get<1>(GetParam());
  InFreshProcess([&] {
    const fs::path folder =
        fs::path(::testing::TempDir()) / ("vantrel-missing-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const fs::directory_entry& file : fs::directory_iterator(fw::ResourcesFolder()))
      if (file.path().filename() != missing)
        fs::copy_file(file.path(), folder / file.path().filename());
    {
      fw::testing::ResourcesFolderOverride elsewhere(folder.string());
      fw::Ref<fw::Window> w = window.make();
      EXPECT_TRUE(Shown(w));
      for (const Backdrop& b : window.backdrops) {
        SCOPED_TRACE(b.canvas);
        const fw::Ref<fw::Canvas> canvas = CanvasOf(w, b.canvas);
        if (b.file == missing) {
          EXPECT_EQ(canvas->Backdrop(), nullptr);
        } else {
          EXPECT_NE(canvas->Backdrop(), nullptr);
          EXPECT_TRUE(canvas->Backdrop() == b.picture());
        }
        EXPECT_TRUE(fw::testing::ShownOf(canvas).visibleOnScreen);
      }
      EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
    }
    fs::remove_all(folder);
  });
}

INSTANTIATE_TEST_SUITE_P(, MissingPictureFileTest,
                         ::testing::Combine(::testing::Values("Quest32.png", "chi.png"),
                                            ::testing::Values(&kPicturedWindows[0],
                                                              &kPicturedWindows[1])),
                         [](const auto& info) {
                           std::string file = std::get<0>(info.param);
                           file = file.substr(0, file.find('.'));
                           return file + "Missing_" + std::get<1>(info.param)->name;
                         });

}  // namespace
