// File-type descriptors and the framework's registry of them.
#pragma once

#include <string>
#include <vector>

#include "framework/object.h"

namespace fw {

class FileType : public Object {
  FW_CLASS(FileType, Object, "FileType")
 public:
  std::string Name, Extensions, MacType, MacCreator, MimeType, ConformsTo, UTI;
  bool Imported = false;

  // Hands the descriptor to the registry the first time only.
  void Register();
  bool Registered() const { return registered_; }
  // The text conversion: registers, then gives Name.
  std::string Operator_Convert();

 private:
  bool registered_ = false;
};

// The descriptors registered so far, in order.
std::vector<Ref<FileType>> RegisteredFileTypes();

}  // namespace fw
