#include "framework/file_type.h"

namespace fw {

namespace {

std::vector<Ref<FileType>>& Registry() {
  static std::vector<Ref<FileType>> registry;
  return registry;
}

}  // namespace

void FileType::Register() {
  if (registered_) return;
  std::shared_ptr<Object> self = weak_from_this().lock();
  if (!self) throw RuntimeException("a FileType must be made with RuntimeNewObject to register");
  Registry().push_back(Ref<FileType>(std::static_pointer_cast<FileType>(self)));
  registered_ = true;
}

std::string FileType::Operator_Convert() {
  Register();
  return Name;
}

std::vector<Ref<FileType>> RegisteredFileTypes() {
  return Registry();
}

}  // namespace fw
