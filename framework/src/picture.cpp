#include "framework/picture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "internal.h"
#include "seams.h"

namespace fw {

namespace {

std::string& FolderOverride() {
  static std::string folder;
  return folder;
}

int filesRead = 0;

}  // namespace

Picture::Picture() : impl_(std::make_unique<Impl>()) {}
Picture::~Picture() = default;

int Picture::Width() const {
  return impl_->pixmap.width();
}
int Picture::Height() const {
  return impl_->pixmap.height();
}

// The build puts the resources folder beside every program in <build>/bin, and the install puts
// it beside the program in <prefix>/bin, so the executable's own folder finds it in both trees.
std::string ResourcesFolder() {
  const QString programFolder = QCoreApplication::instance()
                                    ? QCoreApplication::applicationDirPath()
                                    : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
  return QDir(programFolder).filePath(QStringLiteral("resources")).toStdString();
}

Ref<Picture> Picture::OpenFromApp(const std::string& fileName) {
  const std::string folder = FolderOverride().empty() ? ResourcesFolder() : FolderOverride();
  QFile file(QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(fileName)));
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  ++filesRead;
  QImage image;
  // The format is read from the content, not guessed from the name.
  if (!image.load(&file, nullptr) || image.isNull()) return nullptr;
  Ref<Picture> picture = RuntimeNewObject<Picture>();
  picture->impl().pixmap = QPixmap::fromImage(image);
  return picture;
}

namespace internal {

std::string ResourcesFolderOverride() {
  return FolderOverride();
}
void SetResourcesFolderOverride(const std::string& folder) {
  FolderOverride() = folder;
}
int PictureFilesRead() {
  return filesRead;
}

}  // namespace internal
}  // namespace fw
