// Where the two settings files live: beside the executable when that folder is writable (a
// portable install), otherwise the per-user configuration folder.
#pragma once

#include <filesystem>

// The folder of the running executable, without a trailing separator.
std::filesystem::path ProgramDirectory();

// `program_dir` when a file can be created there; else $XDG_CONFIG_HOME/tovasel (default
// ~/.config/tovasel), created when missing.
std::filesystem::path ChooseSettingsDirectory(const std::filesystem::path& program_dir);
