// The work folder: the one folder where the work tables live and where the
// host reads and writes its own tables. The program never creates it.
#pragma once

#include <filesystem>
#include <optional>

namespace support {

// The override when given; otherwise C:\KTEMP on Windows and, elsewhere, the
// environment variable TRANSORVALDAE_WORK_FOLDER when set and not empty, else
// the folder KTEMP in the user's home folder. Throws Error
// "No existe la carpeta de trabajo <path>" when that folder does not exist.
std::filesystem::path resolveWorkFolder(const std::optional<std::filesystem::path>& override);

}  // namespace support
