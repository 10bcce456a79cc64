#include "support/work_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "support/error.h"
#include "support/file_system.h"
#include "toolkit/temp_folder.h"

namespace support {
namespace {
namespace fs = std::filesystem;
using test_support::TempFolder;

std::string errorText(const std::optional<fs::path>& override) {
  try {
    resolveWorkFolder(override);
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(WorkFolder, OverrideIsUsedWhenItExists) {
  TempFolder folder;
  EXPECT_EQ(resolveWorkFolder(folder.path()), folder.path());
}

TEST(WorkFolder, MissingOverrideIsNamedAndNotCreated) {
  TempFolder folder;
  const fs::path missing = folder.path() / "KTEMP";
  EXPECT_EQ(errorText(missing), "No existe la carpeta de trabajo " + displayPath(missing));
  EXPECT_FALSE(fs::exists(missing));
}

TEST(WorkFolder, FileInPlaceOfTheFolderIsRefused) {
  TempFolder folder;
  const fs::path file = folder.path() / "KTEMP";
  std::ofstream(file) << "x";
  EXPECT_EQ(errorText(file), "No existe la carpeta de trabajo " + displayPath(file));
}

#ifndef _WIN32
// Sets an environment variable for one test and puts back its old value.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    set(value);
  }
  ~ScopedEnv() { set(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void set(const std::optional<std::string>& value) {
    if (value) {
      setenv(name_, value->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

TEST(WorkFolder, EnvironmentVariableIsUsedWithoutOverride) {
  TempFolder folder;
  const ScopedEnv env("TRANSORVALDAE_WORK_FOLDER", folder.path().string());
  EXPECT_EQ(resolveWorkFolder(std::nullopt), folder.path());
}

TEST(WorkFolder, OverrideWinsOverEnvironmentVariable) {
  TempFolder configured;
  TempFolder given;
  const ScopedEnv env("TRANSORVALDAE_WORK_FOLDER", configured.path().string());
  EXPECT_EQ(resolveWorkFolder(given.path()), given.path());
}

TEST(WorkFolder, HomeKtempIsUsedWhenVariableIsEmptyOrUnset) {
  TempFolder home;
  const ScopedEnv homeEnv("HOME", home.path().string());
  fs::create_directory(home.path() / "KTEMP");
  for (const std::optional<std::string>& variable :
       {std::optional<std::string>(""), std::optional<std::string>()}) {
    const ScopedEnv env("TRANSORVALDAE_WORK_FOLDER", variable);
    EXPECT_EQ(resolveWorkFolder(std::nullopt), home.path() / "KTEMP");
  }
}

TEST(WorkFolder, MissingHomeKtempIsNamed) {
  TempFolder home;
  const ScopedEnv homeEnv("HOME", home.path().string());
  const ScopedEnv env("TRANSORVALDAE_WORK_FOLDER", std::nullopt);
  EXPECT_EQ(errorText(std::nullopt), "No existe la carpeta de trabajo " + displayPath(home.path() / "KTEMP"));
  EXPECT_FALSE(fs::exists(home.path() / "KTEMP"));
}
#endif

}  // namespace
}  // namespace support
