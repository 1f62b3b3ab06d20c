// The faces where fontconfig does not offer the Liberation faces
// (tests/fonts/without-liberation.conf): the framework loads them from their files, and where the
// files are missing too, each design font falls back to the platform's generic face of its kind.
// The faces load once per process, so each test runs in a process of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "demo_window.h"
#include "framework/testing/testing.h"

namespace {

using namespace fw::testing;

class FacesWithoutFontconfigTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_EQ(GenericFamily("serif").rfind("Liberation", 0), std::string::npos)
        << "fontconfig offers the Liberation faces; run under without-liberation.conf";
  }
};

struct Case {
  const char* name;
  const char* kind;
  const char* family;
};
constexpr Case kCases[] = {{"Times", "serif", "Liberation Serif"},
                           {"courier", "monospace", "Liberation Mono"},
                           {"System", "sans-serif", "Liberation Sans"},
                           {"", "sans-serif", "Liberation Sans"}};

TEST_F(FacesWithoutFontconfigTest, FacesComeFromTheirFiles) {
  for (const Case& c : kCases) EXPECT_EQ(FaceOf(c.name, 12).family, c.family) << c.name;
}

TEST_F(FacesWithoutFontconfigTest, WithoutTheirFilesEachFallsBackToTheGenericFaceOfItsKind) {
  const std::filesystem::path empty =
      std::filesystem::path(::testing::TempDir()) / "vantrel-no-faces";
  std::filesystem::create_directories(empty);
  FaceFolderOverride noFaces(empty.string());

  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  ProcessEvents();
  EXPECT_TRUE(ShownWindowOf(w).visible);
  EXPECT_EQ(ShownOf(w->Note()).fontFamily, GenericFamily("serif")) << "its design says \"times\"";
  for (const Case& c : kCases) {
    const Face face = FaceOf(c.name, 12);
    EXPECT_EQ(face.family, GenericFamily(c.kind)) << c.name;
    EXPECT_EQ(face.monospaced, std::string_view(c.kind) == "monospace")
        << c.name << " is drawn in " << face.family;
  }
  std::filesystem::remove(empty);
}

}  // namespace
