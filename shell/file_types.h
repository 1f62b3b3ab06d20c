// The program's file-type set: two descriptors, registered once during early start-up.
#pragma once

#include <vector>

#include "framework/file_type.h"

namespace FileTypes {

using FileTypeList = std::vector<fw::Ref<fw::FileType>>;

extern fw::Ref<fw::FileType> pText;
extern fw::Ref<fw::FileType> pUntitledType;
// Nil until its start-up initialiser has made the (empty) list.
extern fw::Ref<FileTypeList> pAllFileTypes;

// Builds both descriptors, appends them to pAllFileTypes and registers them.
void Initialize();
fw::Ref<fw::FileType> Text();
fw::Ref<fw::FileType> UntitledType();

// Start-up initialisers of the three variables, for the start-up table, in this order.
void pAllFileTypesInit();
void pTextInit();
void pUntitledTypeInit();

}  // namespace FileTypes
