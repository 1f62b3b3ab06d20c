#include "fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>
#include <tuple>
#include <vector>

#include "seams.h"

namespace fw::internal {

namespace {

// The design data was laid out for these three faces. Left to fontconfig, "Times" and "Courier"
// mean whatever else is installed (with the URW fonts "Times" is Nimbus Roman, whose lines are
// taller), so the framework loads the faces' files itself and asks for exact families.
struct Face {
  const char* family;
  const char* filePrefix;  // of the files of its four styles, "LiberationSerif-Bold.ttf"
  const char* generic;     // the platform's face of the same kind, where this one is missing
  QFont::StyleHint hint;
};
constexpr Face kSans{"Liberation Sans", "LiberationSans-", "sans-serif", QFont::SansSerif};
constexpr Face kSerif{"Liberation Serif", "LiberationSerif-", "serif", QFont::Serif};
constexpr Face kMono{"Liberation Mono", "LiberationMono-", "monospace", QFont::TypeWriter};
constexpr const Face* kFaces[] = {&kSans, &kSerif, &kMono};

const Face* FaceFor(const std::string& name) {
  if (name.empty() || name == "System" || name == "SmallSystem") return &kSans;
  if (name == "Times" || name == "times") return &kSerif;
  if (name == "Courier" || name == "courier") return &kMono;
  return nullptr;
}

// Debian keeps them in /usr/share/fonts/truetype/liberation (and liberation2 for version 2).
std::vector<std::filesystem::path> FaceFolders() {
  namespace fs = std::filesystem;
  if (std::string folder = FaceFolderOverride(); !folder.empty()) return {folder};
  std::vector<fs::path> folders;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator("/usr/share/fonts/truetype", ec))
    if (e.path().filename().string().starts_with("liberation") && e.is_directory(ec))
      folders.push_back(e.path());
  std::sort(folders.begin(), folders.end());
  return folders;
}

// Loads each face's files from the first folder that has them; once per process.
void LoadFaces() {
  namespace fs = std::filesystem;
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  const std::vector<fs::path> folders = FaceFolders();
  for (const Face* face : kFaces) {
    for (const fs::path& folder : folders) {
      std::vector<fs::path> files;
      std::error_code ec;
      for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (name.starts_with(face->filePrefix) && name.ends_with(".ttf")) files.push_back(e.path());
      }
      if (files.empty()) continue;
      for (const fs::path& file : files)
        QFontDatabase::addApplicationFont(QString::fromStdString(file.string()));
      break;
    }
  }
}

// The exact family, never an alias: QFontDatabase::hasFamily resolves names through
// fontconfig's substitutions first.
bool Installed(const Face& face) {
  return QFontDatabase::families().contains(QLatin1String(face.family));
}

std::string& FaceFolder() {
  static std::string folder;
  return folder;
}

}  // namespace

std::string FaceFolderOverride() {
  return FaceFolder();
}
void SetFaceFolderOverride(const std::string& folder) {
  FaceFolder() = folder;
}

QFont MakeFont(const FontSpec& spec) {
  using Key = std::tuple<std::string, double, bool, bool, bool>;
  // Never destroyed: fonts must not outlive the application's font database in a destructor.
  static auto& cache = *new std::map<Key, QFont>;
  const Key key{spec.name, spec.size, spec.bold, spec.italic, spec.underline};
  if (auto it = cache.find(key); it != cache.end()) return it->second;

  QFont font = QGuiApplication::font();
  if (const Face* face = FaceFor(spec.name)) {
    LoadFaces();
    if (Installed(*face)) {
      font.setFamilies({QLatin1String(face->family)});
    } else {
      font.setFamilies({QLatin1String(face->generic)});
      font.setStyleHint(face->hint);
    }
  } else {
    font.setFamilies({QString::fromStdString(spec.name)});
  }
  // Sizes are pixels, so that text fits the fixed geometry of the design data.
  if (spec.size > 0) font.setPixelSize(std::max(1, static_cast<int>(spec.size + 0.5)));
  font.setBold(spec.bold);
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  cache.emplace(key, font);
  return font;
}

}  // namespace fw::internal
