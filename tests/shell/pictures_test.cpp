// The two pictures: loaded once and shared, retried while they cannot be had.
#include "shell/pictures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "framework/testing/testing.h"
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

}  // namespace
