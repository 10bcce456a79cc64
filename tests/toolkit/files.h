// Files in tests: whole files as bytes, and copying a folder's files.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace test_support {

// The file's bytes; "" when it is missing. Throws std::runtime_error when it
// is there but cannot be read.
std::string readBytes(const std::filesystem::path& file);
// Writes bytes as the whole file (replacing it).
void writeBytes(const std::filesystem::path& file, const std::string& bytes);
// Copies every file of from into the folder to (which exists).
void copyFiles(const std::filesystem::path& from, const std::filesystem::path& to);

// Every file of folder (not its subfolders) by name, with its bytes.
std::map<std::string, std::string> folderFiles(const std::filesystem::path& folder);

}  // namespace test_support
