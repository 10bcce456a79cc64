// The host's side of `host-stub launch` that depends on the window system:
// the host window, the converter's process, and reading the result back as
// the host reads it. One implementation per window system: Qt (X11 on
// Linux) and Win32.
#pragma once

#include <filesystem>
#include <string>

namespace host_stub {

// The converter of this build: transorvaldae in src/app beside tools/host_stub.
std::filesystem::path defaultConverter();

// Opens the host's window, with room for the converter's 598 x 270 at (2, 2),
// prints "host-window=HANDLE" (hexadecimal, upper case), starts converter with
// direction and that handle, as the host does, and keeps the window running
// until the converter ends. False, after saying why on standard error, when
// the converter did not start.
bool runConverterInHostWindow(const std::filesystem::path& converter, const std::string& direction);

// The value of Transformado in the section Transformadores of the file.
std::string readHandedOverResult(const std::filesystem::path& ini);

}  // namespace host_stub
