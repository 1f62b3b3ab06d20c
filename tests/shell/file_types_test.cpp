// The program's two file types, built once at early start-up and registered.
#include "shell/file_types.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/shell/fresh_process.h"

namespace {

struct Described {
  std::string name, extensions, macType, macCreator, mimeType, conformsTo;
  bool imported;
};

Described Of(const fw::FileType& type) {
  return {type.Name,     type.Extensions, type.MacType, type.MacCreator,
          type.MimeType, type.ConformsTo, type.Imported};
}

void ExpectDescribed(const fw::Ref<fw::FileType>& type, const Described& expected) {
  ASSERT_NE(type, nullptr);
  const Described got = Of(*type);
  EXPECT_EQ(got.name, expected.name);
  EXPECT_EQ(got.extensions, expected.extensions);
  EXPECT_EQ(got.macType, expected.macType);
  EXPECT_EQ(got.macCreator, expected.macCreator);
  EXPECT_EQ(got.mimeType, expected.mimeType);
  EXPECT_EQ(got.conformsTo, expected.conformsTo);
  EXPECT_EQ(got.imported, expected.imported);
}

// The start-up order: the initialisers of the three variables, then Initialize.
TEST(FileTypesTest, StartUpDeclaresTwoTypesInOrder) {
  InFreshProcess([] {
    const std::size_t registeredBefore = fw::RegisteredFileTypes().size();
    FileTypes::pAllFileTypesInit();
    FileTypes::pTextInit();
    FileTypes::pUntitledTypeInit();
    ASSERT_NE(FileTypes::pAllFileTypes, nullptr);
    EXPECT_TRUE(FileTypes::pAllFileTypes->empty());
    EXPECT_EQ(FileTypes::Text(), nullptr);
    EXPECT_EQ(FileTypes::UntitledType(), nullptr);

    FileTypes::Initialize();

    const FileTypes::FileTypeList& all = *FileTypes::pAllFileTypes;
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], FileTypes::Text());
    EXPECT_EQ(all[1], FileTypes::UntitledType());
    ExpectDescribed(all[0], {"text", "", "TEXT", "R*ch", "", "", true});
    ExpectDescribed(all[1], {"", "", "", "", "", "", true});

    const std::vector<fw::Ref<fw::FileType>> registered = fw::RegisteredFileTypes();
    ASSERT_EQ(registered.size(), registeredBefore + 2);
    EXPECT_EQ(registered[registeredBefore], all[0]);
    EXPECT_EQ(registered[registeredBefore + 1], all[1]);
  });
}

// Without its list, Initialize fails at the first append: the descriptor it made is kept but
// never registered.
TEST(FileTypesTest, InitializeBeforeTheListRaises) {
  InFreshProcess([] {
    ASSERT_EQ(FileTypes::pAllFileTypes, nullptr);
    EXPECT_THROW(FileTypes::Initialize(), fw::NilObjectException);
    ASSERT_NE(FileTypes::Text(), nullptr);
    EXPECT_FALSE(FileTypes::Text()->Registered());
    EXPECT_EQ(FileTypes::UntitledType(), nullptr);
  });
}

TEST(FileTypeTest, RegistersOnceHoweverOftenConverted) {
  fw::Ref<fw::FileType> type = fw::RuntimeNewObject<fw::FileType>();
  type->Name = "text";
  const std::size_t before = fw::RegisteredFileTypes().size();
  EXPECT_FALSE(type->Registered());
  EXPECT_EQ(type->Operator_Convert(), "text");
  EXPECT_EQ(type->Operator_Convert(), "text");
  type->Register();
  EXPECT_TRUE(type->Registered());
  ASSERT_EQ(fw::RegisteredFileTypes().size(), before + 1);
  EXPECT_EQ(fw::RegisteredFileTypes().back(), type);
}

}  // namespace
