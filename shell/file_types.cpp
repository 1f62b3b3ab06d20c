#include "shell/file_types.h"

namespace FileTypes {

fw::Ref<fw::FileType> pText;
fw::Ref<fw::FileType> pUntitledType;
fw::Ref<FileTypeList> pAllFileTypes;

namespace {

void Describe(fw::FileType& type, const char* name, const char* macType, const char* macCreator) {
  type.Name = name;
  type.Extensions = "";
  type.MacType = macType;
  type.MacCreator = macCreator;
  type.MimeType = "";
  type.Imported = true;
  type.ConformsTo = "";
}

}  // namespace

void Initialize() {
  pText = fw::RuntimeNewObject<fw::FileType>();
  Describe(*pText, "text", "TEXT", "R*ch");
  pAllFileTypes->push_back(pText);
  Text()->Operator_Convert();  // converting to text registers the descriptor

  pUntitledType = fw::RuntimeNewObject<fw::FileType>();
  Describe(*pUntitledType, "", "", "");
  pAllFileTypes->push_back(pUntitledType);
  UntitledType()->Operator_Convert();
}

fw::Ref<fw::FileType> Text() {
  return pText;
}
fw::Ref<fw::FileType> UntitledType() {
  return pUntitledType;
}

void pAllFileTypesInit() {
  pAllFileTypes = fw::RuntimeNewObject<FileTypeList>();
}
// The descriptors start as nil; Initialize makes them.
void pTextInit() {}
void pUntitledTypeInit() {}

}  // namespace FileTypes
