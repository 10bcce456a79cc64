// File-system helpers shared by every layer: names matched without regard to
// case, whole-file reading, and replacing a file atomically so that a crash or
// a full disk never leaves a half-written file in place of a good one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace support {

// The entry of folder whose name equals name without regard to ASCII case
// (an exact match wins). nullopt when there is none or the folder is missing.
std::optional<std::filesystem::path> findNoCase(const std::filesystem::path& folder, std::string_view name);

// Every entry of folder whose name equals name without regard to ASCII case
// (none when the folder is missing). Throws Error naming the folder when it
// cannot be read to its end.
std::vector<std::filesystem::path> findAllNoCase(const std::filesystem::path& folder, std::string_view name);

// True when file is a regular file (or a link to one); false when there is
// nothing there or something else. Throws Error naming the file when its
// state cannot be read.
bool isRegularFile(const std::filesystem::path& file);

// The whole file as bytes. Throws Error naming the file when it cannot be read.
std::string readFile(const std::filesystem::path& file);

// Writes bytes to a temporary file beside target, flushes it to disk and
// renames it over target. On any failure the temporary file is removed,
// target is left as it was, and Error names target and the cause.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// A path as text for messages (UTF-8).
std::string displayPath(const std::filesystem::path& file);

// The path made absolute (a relative one taken from the current folder); as
// it is when the current folder cannot be read.
std::filesystem::path absolutePath(const std::filesystem::path& file);

// The path named by UTF-8 text (a command-line argument, CarpetaDAE), with
// repeated separators after the start made one. Paths are made from text
// only through this: on Windows the path constructor reads a std::string in
// the C locale's code page, not as UTF-8.
std::filesystem::path pathFromUtf8(std::string_view text);

}  // namespace support
