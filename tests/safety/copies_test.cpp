// The copies folder, the manifest and the safety copies on real folders:
// where they go, what a copy holds, which copies are kept and found.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "safety/copies_folder.h"
#include "safety/manifest.h"
#include "safety/safety_copy.h"
#include "support/error.h"
#include "support/platform.h"
#include "toolkit/environment.h"
#include "toolkit/files.h"
#include "toolkit/pattern_matcher.h"
#include "toolkit/temp_folder.h"

namespace safety {
namespace {

namespace fs = std::filesystem;
using test_support::folderFiles;
using test_support::readBytes;
using test_support::ScopedEnvironment;
using test_support::writeBytes;
using ::testing::HasSubstr;

#ifndef _WIN32
struct FolderCase {
  const char* name;
  std::optional<std::string> backup;
  std::optional<std::string> dataHome;
  std::optional<std::string> home;
  std::optional<std::string> expected;  // nullopt: no folder to be found
};

TEST(CopiesFolderTest, ComesFromTheEnvironment) {
  const FolderCase cases[] = {
      {"override first", "/b/copias", "/x", "/h", "/b/copias"},
      {"XDG data home", std::nullopt, "/x", "/h", "/x/transorvaldae/copias"},
      {"relative XDG ignored", std::nullopt, "x", "/h", "/h/.local/share/transorvaldae/copias"},
      {"empty counts as unset", "", "", "/h", "/h/.local/share/transorvaldae/copias"},
      {"nothing to go by", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
  };
  for (const FolderCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedEnvironment backup("TRANSORVALDAE_BACKUP_FOLDER", c.backup);
    ScopedEnvironment dataHome("XDG_DATA_HOME", c.dataHome);
    ScopedEnvironment home("HOME", c.home);
    if (c.expected) {
      EXPECT_EQ(copiesFolder(), fs::path(*c.expected));
    } else {
      try {
        copiesFolder();
        ADD_FAILURE() << "a folder was found";
      } catch (const support::Error& error) {
        EXPECT_THAT(error.what(), HasSubstr("TRANSORVALDAE_BACKUP_FOLDER"));
      }
    }
  }
}
#else
TEST(CopiesFolderTest, ComesFromTheEnvironment) {
  ScopedEnvironment local("LOCALAPPDATA", "C:\\Users\\Ane\\AppData\\Local");
  {
    ScopedEnvironment backup("TRANSORVALDAE_BACKUP_FOLDER", std::nullopt);
    EXPECT_EQ(copiesFolder(), fs::path("C:\\Users\\Ane\\AppData\\Local\\TransOrvalDAE\\copias"));
  }
  ScopedEnvironment backup("TRANSORVALDAE_BACKUP_FOLDER", "D:\\copias");
  EXPECT_EQ(copiesFolder(), fs::path("D:\\copias"));
}
#endif

TEST(CopiesFolderTest, TheRunLogLiesInItsParent) {
  EXPECT_EQ(runLogFile(fs::path("a") / "copias"), fs::path("a") / "TransOrvalDAE.log");
  EXPECT_EQ(runLogFile(fs::path("a") / "copias" / ""), fs::path("a") / "TransOrvalDAE.log");
}

Manifest sampleManifest() {
  return {"importar",
          "2025-03-01 10:22:03",
          fs::path("/w/KT EMP 100%"),
          fs::path("/d/línea\nrara/"),
          {{Place::WorkFolder, "PROFT.DBF", true, 15358},
           {Place::WorkFolder, "PROFT.MDX", false, 0},
           {Place::DaeFolder, "fCUADROS.txt", true, 0}}};
}

TEST(ManifestTest, ReadsBackWhatItWrote) {
  const Manifest manifest = sampleManifest();
  EXPECT_EQ(parseManifest(manifestText(manifest)), manifest);
}

TEST(ManifestTest, TextCutShortOrChangedIsNoManifest) {
  const std::string text = manifestText(sampleManifest());
  for (std::size_t length = 0; length < text.size(); ++length) {
    EXPECT_EQ(parseManifest(text.substr(0, length)), std::nullopt) << "cut at " << length;
  }
  const std::pair<const char*, const char*> changes[] = {
      {"guardado=trabajo 15358 ", "guardado=trabajo 15x58 "},  // a size that is no number
      {"guardado=trabajo 15358 ", "guardado=otra 15358 "},     // an unknown folder
      {"operacion=", "operación="},                            // an unknown key
      {"fin\n", "fin\nmás\n"},                                 // something after the end
      {"ausente=trabajo PROFT.MDX", "ausente=trabajo "},       // a file without a name
  };
  for (const auto& [from, to] : changes) {
    std::string changed = text;
    changed.replace(changed.find(from), std::string(from).size(), to);
    EXPECT_EQ(parseManifest(changed), std::nullopt) << to;
  }
}

class SafetyCopyTest : public ::testing::Test {
 protected:
  SafetyCopyTest() {
    fs::create_directories(work);
    fs::create_directories(dae);
  }

  CopyRequest request(std::vector<std::string> workFiles) const {
    return {"exportar", work, dae, std::move(workFiles), {"fCUADROS.txt"}};
  }

  // Makes count copies of the work folder, the oldest first.
  std::vector<StoredCopy> makeCopies(int count) const {
    std::vector<StoredCopy> made;
    for (int i = 0; i < count; ++i) made.push_back(makeCopy(copies, request({"PROFT.DBF"})));
    return made;
  }

  test_support::TempFolder root;
  fs::path work = root.path() / "work";
  fs::path dae = root.path() / "dae";
  fs::path copies = root.path() / "copias";
};

TEST_F(SafetyCopyTest, KeepsTheNamedFilesAsTheyAreAndNotesTheOnesNotThere) {
  writeBytes(work / "PROFT.DBF", "teachers");
  writeBytes(work / "ASIGT.DBF", "assignments");
  writeBytes(work / "SOLUC.DBF", "timetable");  // not named: not kept
  writeBytes(dae / "fCUADROS.txt", "1CH0149872025\r\n");

  const StoredCopy copy = makeCopy(copies, request({"PROFT.DBF", "PROFT.MDX", "asigt.dbf"}));
  EXPECT_EQ(copy.folder, copies / copy.name);
  EXPECT_EQ(readBytes(copy.folder / "trabajo" / "PROFT.DBF"), "teachers");
  EXPECT_EQ(readBytes(copy.folder / "trabajo" / "ASIGT.DBF"), "assignments");
  EXPECT_EQ(readBytes(copy.folder / "dae" / "fCUADROS.txt"), "1CH0149872025\r\n");
  EXPECT_FALSE(fs::exists(copy.folder / "trabajo" / "SOLUC.DBF"));
  const Manifest expected{"exportar",
                          copy.manifest.time,
                          work,
                          dae,
                          {{Place::WorkFolder, "PROFT.DBF", true, 8},
                           {Place::WorkFolder, "PROFT.MDX", false, 0},
                           {Place::WorkFolder, "ASIGT.DBF", true, 11},
                           {Place::DaeFolder, "fCUADROS.txt", true, 15}}};
  EXPECT_EQ(copy.manifest, expected);
  EXPECT_EQ(parseManifest(readBytes(copy.folder / kManifestName)), expected);
  EXPECT_THAT(copy.name,
              test_support::MatchesPattern("[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2}"));
  EXPECT_EQ(copy.name.substr(0, 10), copy.manifest.time.substr(0, 10));
}

TEST_F(SafetyCopyTest, KeepsEveryCaseVariantOfAName) {
  writeBytes(work / "PROFT.DBF", "upper");
  writeBytes(work / "proft.dbf", "lower");
  if (folderFiles(work).size() < 2) GTEST_SKIP() << "the file system ignores case";
  const StoredCopy copy = makeCopy(copies, request({"PROFT.DBF"}));
  EXPECT_EQ(folderFiles(copy.folder / "trabajo"),
            (std::map<std::string, std::string>{{"PROFT.DBF", "upper"}, {"proft.dbf", "lower"}}));
}

TEST_F(SafetyCopyTest, CopiesOfOneSecondGetNamesOfTheirOwnAndAreFoundNewestFirst) {
  const std::vector<StoredCopy> made = makeCopies(3);
  std::vector<std::string> found;
  for (const StoredCopy& copy : copiesOf(copies, work)) found.push_back(copy.name);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found, (std::vector<std::string>{made[2].name, made[1].name, made[0].name}));
}

TEST_F(SafetyCopyTest, TheNewestTenAreKeptAndOtherFoldersLeftAlone) {
  const std::vector<StoredCopy> made = makeCopies(12);
  fs::create_directories(copies / "mis cosas");
  writeBytes(copies / "2020-01-01_00-00-00.txt", "not a copy");
  pruneCopies(copies);
  std::vector<std::string> kept;
  for (const StoredCopy& copy : copiesOf(copies, work)) kept.insert(kept.begin(), copy.name);
  std::vector<std::string> newest;
  for (std::size_t i = 2; i < made.size(); ++i) newest.push_back(made[i].name);
  EXPECT_EQ(kept, newest);
  EXPECT_TRUE(fs::is_directory(copies / "mis cosas"));
  EXPECT_TRUE(fs::exists(copies / "2020-01-01_00-00-00.txt"));
}

TEST_F(SafetyCopyTest, OnlyWholeCopiesOfTheWorkFolderAreFound) {
  const StoredCopy mine = makeCopy(copies, request({"PROFT.DBF"}));
  const fs::path other = root.path() / "other";
  fs::create_directories(other);
  makeCopy(copies, {"exportar", other, {}, {"PROFT.DBF"}, {}});
  fs::create_directories(copies / "2099-01-01_00-00-00");  // no manifest: cut short
  const StoredCopy cut = makeCopy(copies, request({"PROFT.DBF"}));
  const std::string text = readBytes(cut.folder / kManifestName);
  writeBytes(cut.folder / kManifestName, text.substr(0, text.size() - 4));

  const std::vector<StoredCopy> found = copiesOf(copies, work);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, mine.name);
  EXPECT_EQ(found[0].manifest, mine.manifest);
}

TEST_F(SafetyCopyTest, ACopyThatCannotBeMadeLeavesNothingAndNamesTheFolder) {
  writeBytes(work / "PROFT.DBF", "teachers");
  const fs::path blocked = root.path() / "blocked";
  writeBytes(blocked, "a file where the copies folder should be");
  try {
    makeCopy(blocked / "copias", request({"PROFT.DBF"}));
    FAIL() << "the copy was made";
  } catch (const support::Error& error) {
    EXPECT_THAT(error.what(),
                HasSubstr("No se puede hacer la copia de seguridad en " + (blocked / "copias").string()));
    EXPECT_THAT(error.what(), HasSubstr("No se ha cambiado nada."));
  }
  EXPECT_EQ(readBytes(blocked), "a file where the copies folder should be");
}

TEST_F(SafetyCopyTest, AFileAnotherProgramHoldsForItselfIsCopiedOrSaidToBeInUse) {
  writeBytes(work / "PROFT.DBF", "teachers");
  const std::optional<support::LockedFile> held =
      support::LockedFile::openLocked(work / "PROFT.DBF", support::LockedFile::Lock::Exclusive);
  ASSERT_TRUE(held);
#ifdef _WIN32
  // A file held for itself cannot be read: the run does not start, and says why.
  try {
    makeCopy(copies, request({"PROFT.DBF"}));
    FAIL() << "the copy was made";
  } catch (const support::Error& error) {
    EXPECT_THAT(error.what(),
                HasSubstr("El archivo " + (work / "PROFT.DBF").string() + " está en uso por otro programa"));
    EXPECT_THAT(error.what(), HasSubstr("No se ha cambiado nada."));
  }
  EXPECT_TRUE(fs::is_empty(copies));
#else
  // Locks keep out only those who ask for one: the copy reads the file.
  const StoredCopy copy = makeCopy(copies, request({"PROFT.DBF"}));
  EXPECT_EQ(readBytes(copy.folder / subfolderName(Place::WorkFolder) / "PROFT.DBF"), "teachers");
#endif
}

}  // namespace
}  // namespace safety
