// Pictures read from the resources folder beside the program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "framework/picture.h"
#include "framework/testing/testing.h"

namespace {

namespace fs = std::filesystem;
using fw::testing::PictureFilesRead;
using fw::testing::ResourcesFolderOverride;

// An empty folder of the test's own, removed afterwards.
class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(::testing::TempDir()) / ("vantrel-pictures-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  fs::path folder;
};

// The build copies resources/ beside the programs; the lookup must find it there.
TEST_F(PictureTest, ReadsTheShippedPicturesBesideTheProgram) {
  struct Case {
    const char* file;
    int width, height;
  };
  for (const Case& c : {Case{"chi.png", 462, 48}, Case{"Quest32.png", 27, 32}}) {
    fw::Ref<fw::Picture> picture = fw::Picture::OpenFromApp(c.file);
    ASSERT_NE(picture, nullptr) << c.file << " in " << fw::ResourcesFolder();
    EXPECT_EQ(picture->Width(), c.width) << c.file;
    EXPECT_EQ(picture->Height(), c.height) << c.file;
  }
}

TEST_F(PictureTest, MissingFileGivesNilAndReadsNothing) {
  ResourcesFolderOverride elsewhere(folder.string());
  const int before = PictureFilesRead();
  EXPECT_EQ(fw::Picture::OpenFromApp("chi.png"), nullptr);
  EXPECT_EQ(fw::Picture::OpenFromApp(""), nullptr);  // the folder itself is no picture
  EXPECT_EQ(PictureFilesRead(), before);
}

TEST_F(PictureTest, UnreadableFileGivesNil) {
  std::ofstream(folder / "chi.png") << "not a picture";
  fs::create_directory(folder / "Quest32.png");
  ResourcesFolderOverride elsewhere(folder.string());
  EXPECT_EQ(fw::Picture::OpenFromApp("chi.png"), nullptr);
  EXPECT_EQ(fw::Picture::OpenFromApp("Quest32.png"), nullptr);
}

// No caching here (that is the caller's business), and the format comes from the content, so a
// PNG under another name is read too.
TEST_F(PictureTest, ReadsEveryCallAnew) {
  fs::copy_file(fs::path(fw::ResourcesFolder()) / "Quest32.png", folder / "help.img");
  ResourcesFolderOverride elsewhere(folder.string());
  const int before = PictureFilesRead();
  fw::Ref<fw::Picture> first = fw::Picture::OpenFromApp("help.img");
  fw::Ref<fw::Picture> second = fw::Picture::OpenFromApp("help.img");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(PictureFilesRead(), before + 2);
}

TEST_F(PictureTest, OverrideEndsWithItsScope) {
  {
    ResourcesFolderOverride outer(folder.string());
    { ResourcesFolderOverride inner((folder / "deeper").string()); }
    EXPECT_EQ(fw::Picture::OpenFromApp("chi.png"), nullptr) << "the outer override is back";
  }
  EXPECT_NE(fw::Picture::OpenFromApp("chi.png"), nullptr);
}

}  // namespace
