#include "support/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/error.h"
#include "support/file_system.h"
#include "toolkit/temp_folder.h"

namespace support {
namespace {
namespace fs = std::filesystem;
using test_support::TempFolder;

class IniFileTest : public ::testing::Test {
 protected:
  void writeBytes(const std::string& bytes) const {
    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::string readBytes() const { return readFile(file_); }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_.path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  TempFolder folder_;
  fs::path file_ = folder_.path() / "Orvalin.ini";
};

struct IniCase {
  const char* name;
  std::optional<std::string> before;  // nullopt: no file
  std::string value;
  std::string after;
};

const IniCase kIniCases[] = {
    {"AbsentFileIsCreated", std::nullopt, "1", "[Transformadores]\r\nTransformado=1\r\n"},
    {"EmptyFileGetsSectionAndKey", "", "-1", "[Transformadores]\r\nTransformado=-1\r\n"},
    {"AbsentSectionIsAppended", "[Otro]\r\nA=1\r\n", "0",
     "[Otro]\r\nA=1\r\n[Transformadores]\r\nTransformado=0\r\n"},
    {"AbsentSectionAfterUnterminatedLine", "[Otro]\r\nA=1", "0",
     "[Otro]\r\nA=1\r\n[Transformadores]\r\nTransformado=0\r\n"},
    {"AbsentSectionInLfFile", "[Otro]\nA=1\n\n", "1", "[Otro]\nA=1\n\n[Transformadores]\nTransformado=1\n"},
    {"AbsentKeyGoesAfterLastNonBlankLine", "[Transformadores]\r\nOtra=2\r\n\r\n[Otro]\r\nA=1\r\n", "1",
     "[Transformadores]\r\nOtra=2\r\nTransformado=1\r\n\r\n[Otro]\r\nA=1\r\n"},
    {"AbsentKeyInLastUnterminatedSection", "[Otro]\nA=1\n[Transformadores]", "1",
     "[Otro]\nA=1\n[Transformadores]\nTransformado=1\n"},
    {"AbsentKeyAfterCommentOfItsSection", "[Transformadores]\r\n;nota\r\n", "1",
     "[Transformadores]\r\n;nota\r\nTransformado=1\r\n"},
    {"CommentedKeyIsNotTheKey", "[Transformadores]\r\n;Transformado=5\r\n", "1",
     "[Transformadores]\r\n;Transformado=5\r\nTransformado=1\r\n"},
    {"KeyBeforeAnySectionIsNotTheKey", "Transformado=5\r\n", "1",
     "Transformado=5\r\n[Transformadores]\r\nTransformado=1\r\n"},
    {"ValueIsReplacedAndTheRestKept",
     "; Ajustes del "
     "horario\r\n[Otro]\r\nTransformado=9\r\n\r\n[Transformadores]\r\nTransformado=1\r\nX=3\r\n\r\n",
     "-1",
     "; Ajustes del "
     "horario\r\n[Otro]\r\nTransformado=9\r\n\r\n[Transformadores]\r\nTransformado=-1\r\nX=3\r\n\r\n"},
    {"NamesMatchWithoutCaseAndBlanks", "[ transformadores ]\nX=1\n  TRANSFORMADO = 5\n", "0",
     "[ transformadores ]\nX=1\n  TRANSFORMADO = 0\n"},
    {"OnlyFirstOccurrenceIsReplaced", "[Transformadores]\r\nTransformado=1\r\nTransformado=2\r\n", "0",
     "[Transformadores]\r\nTransformado=0\r\nTransformado=2\r\n"},
    {"FirstOfRepeatedSectionsIsUsed", "[Transformadores]\r\nA=1\r\n[Transformadores]\r\nTransformado=2\r\n",
     "0", "[Transformadores]\r\nA=1\r\nTransformado=0\r\n[Transformadores]\r\nTransformado=2\r\n"},
    {"EmptyValueIsReplaced", "[Transformadores]\r\nTransformado=\r\n", "1",
     "[Transformadores]\r\nTransformado=1\r\n"},
    {"UnterminatedLastValueStaysUnterminated", "[Transformadores]\r\nTransformado=1", "-1",
     "[Transformadores]\r\nTransformado=-1"},
    {"ByteOrderMarkIsKept", "\xEF\xBB\xBF[Transformadores]\r\nTransformado=0\r\n", "1",
     "\xEF\xBB\xBF[Transformadores]\r\nTransformado=1\r\n"},
    {"OtherBytesUntouched",
     "[Otro]\r\nNombre=Mi\xE9rcoles\tS\xE1"
     "bado \r\n[Transformadores]\r\nTransformado=0\r\n",
     "1",
     "[Otro]\r\nNombre=Mi\xE9rcoles\tS\xE1"
     "bado \r\n[Transformadores]\r\nTransformado=1\r\n"},
};

TEST_F(IniFileTest, EachCaseWritesTheExpectedBytes) {
  for (const IniCase& c : kIniCases) {
    SCOPED_TRACE(c.name);
    fs::remove(file_);
    if (c.before) writeBytes(*c.before);
    writeProfileString(file_, "Transformadores", "Transformado", c.value);
    EXPECT_EQ(readBytes(), c.after);
    EXPECT_EQ(entries(), std::vector<std::string>{"Orvalin.ini"});  // no temporary file left behind
  }
}

TEST_F(IniFileTest, SecondWriteReplacesTheFirst) {
  writeProfileString(file_, "Transformadores", "Transformado", "1");
  writeProfileString(file_, "Transformadores", "Transformado", "-1");
  EXPECT_EQ(readBytes(), "[Transformadores]\r\nTransformado=-1\r\n");
}

TEST_F(IniFileTest, MissingFolderThrowsNamingTheFile) {
  const fs::path file = folder_.path() / "no-such-folder" / "Orvalin.ini";
  try {
    writeProfileString(file, "Transformadores", "Transformado", "1");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find(displayPath(file)), std::string::npos) << e.what();
  }
}

TEST_F(IniFileTest, FolderInPlaceOfTheFileThrowsNamingIt) {
  fs::create_directory(file_);
  try {
    writeProfileString(file_, "Transformadores", "Transformado", "1");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find(displayPath(file_)), std::string::npos) << e.what();
  }
  EXPECT_TRUE(fs::is_directory(file_));
}

TEST_F(IniFileTest, LineBreakInValueIsRefusedAndFileKept) {
  writeBytes("[Transformadores]\r\nTransformado=0\r\n");
  EXPECT_THROW(writeProfileString(file_, "Transformadores", "Transformado", "1\r\n[Inyectada]"), Error);
  EXPECT_THROW(writeProfileString(file_, "Transformadores", "Trans=formado", "1"), Error);
  EXPECT_THROW(writeProfileString(file_, "Trans]formadores", "Transformado", "1"), Error);
  EXPECT_EQ(readBytes(), "[Transformadores]\r\nTransformado=0\r\n");
}

}  // namespace
}  // namespace support
