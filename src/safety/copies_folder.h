// Where the safety copies of the work folder and the run log live: the
// copies folder, with one folder per run, and TransOrvalDAE.log beside it.
#pragma once

#include <filesystem>

namespace safety {

// The environment variable TRANSORVALDAE_BACKUP_FOLDER when set; else, on
// Windows, %LOCALAPPDATA%\TransOrvalDAE\copias, and elsewhere
// $XDG_DATA_HOME/transorvaldae/copias, or ~/.local/share/transorvaldae/copias
// when XDG_DATA_HOME is unset or not an absolute path. Throws support::Error
// when none of those variables is there to say where.
std::filesystem::path copiesFolder();

// TransOrvalDAE.log in the copies folder's parent.
std::filesystem::path runLogFile(const std::filesystem::path& copiesFolder);

}  // namespace safety
