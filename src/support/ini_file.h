// Writing one value into a settings (INI) file the way the Windows profile
// functions do: the file, the section and the key are created when absent, an
// existing value is replaced, and every other byte of the file stays as it
// was, line endings included. The new file replaces the old one atomically,
// so a failure leaves the old file untouched.
#pragma once

#include <filesystem>
#include <string_view>

namespace support {

// Sets key=value in section of file. Section and key names are matched
// without regard to ASCII case and to blanks around them; the first section
// and the first key that match are used, and a replaced key keeps its
// spelling. New lines use the file's line ending (CR LF for a new file).
// Throws Error naming the file when it cannot be read or written, or when a
// name or the value would break the file's line structure.
void writeProfileString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace support
