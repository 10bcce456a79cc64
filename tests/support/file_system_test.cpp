// The case-blind file lookup and the UTF-8 text of paths, which must behave
// alike where the file system ignores case and has UTF-16 names (Windows)
// and where it does not.
#include "support/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "toolkit/temp_folder.h"

namespace support {
namespace {
namespace fs = std::filesystem;
using test_support::TempFolder;

void touch(const fs::path& file) { std::ofstream(file, std::ios::binary) << "x"; }

std::string foundName(const fs::path& folder, const std::string& asked) {
  const auto found = findNoCase(folder, asked);
  return found ? displayPath(found->filename()) : "(none)";
}

TEST(FindNoCase, GivesTheEntrysOwnSpellingWhateverCaseIsAsked) {
  TempFolder folder;
  touch(folder.path() / "Grupos.TXT");
  for (const char* asked : {"Grupos.TXT", "GRUPOS.txt", "grupos.txt"}) {
    EXPECT_EQ(foundName(folder.path(), asked), "Grupos.TXT") << asked;
  }
  EXPECT_EQ(foundName(folder.path(), "Grupos.TX"), "(none)");
  EXPECT_EQ(foundName(folder.path() / "missing", "Grupos.TXT"), "(none)");
}

TEST(FindNoCase, ExactSpellingWinsOverOtherCaseVariants) {
  TempFolder folder;
  touch(folder.path() / "AULAS.txt");
  touch(folder.path() / "aulas.txt");
  if (findAllNoCase(folder.path(), "aulas.txt").size() < 2) GTEST_SKIP() << "this file system ignores case";
  EXPECT_EQ(foundName(folder.path(), "aulas.txt"), "aulas.txt");
  EXPECT_EQ(foundName(folder.path(), "AULAS.txt"), "AULAS.txt");
  EXPECT_EQ(foundName(folder.path(), "Aulas.txt"), "AULAS.txt");  // else the first in order
}

TEST(PathFromUtf8, NamesAFolderWithAccentsAsItsTextSays) {
  TempFolder folder;
  const std::string name = "Educación Ñ";
  const fs::path made = folder.path() / pathFromUtf8(name);
  fs::create_directory(made);
  touch(made / "AULAS.txt");
  EXPECT_EQ(foundName(folder.path(), name), name);
  EXPECT_EQ(pathFromUtf8(displayPath(made)), made);
  // As CarpetaDAE holds it: the text of the folder followed by a separator.
  const std::string text = displayPath(made) + static_cast<char>(fs::path::preferred_separator);
  EXPECT_EQ(foundName(pathFromUtf8(text), "aulas.TXT"), "AULAS.txt");
}

TEST(PathFromUtf8, FolderTextWithASeparatorTooManyNamesTheFolder) {
  // CarpetaDAE is the folder's text plus a separator, so at a drive root
  // (C: and a backslash on Windows, "/" elsewhere) it ends in two of them.
  TempFolder folder;
  touch(folder.path() / "AULAS.txt");
  const std::string separator(1, static_cast<char>(fs::path::preferred_separator));
  const fs::path root = folder.path().root_path();
  EXPECT_TRUE(fs::is_directory(pathFromUtf8(displayPath(root) + separator))) << displayPath(root);
  const std::string text = displayPath(folder.path()) + separator + separator;
  EXPECT_TRUE(fs::is_directory(pathFromUtf8(text))) << text;
  EXPECT_EQ(foundName(pathFromUtf8(text), "aulas.txt"), "AULAS.txt");
}

}  // namespace
}  // namespace support
