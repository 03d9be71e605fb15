#pragma once
// Where the settings file lives.
//
// The settings file belongs beside the program. An installed program usually cannot write its own
// folder, and settings that silently fail to save are worse than settings elsewhere, so then the
// file lives in $XDG_CONFIG_HOME/Velmora/ (or ~/.config/Velmora/). A file beside the program
// that exists but cannot be read stays the choice: the user is told why it cannot be used
// rather than finding other settings in another place. The environment variable
// VELMORA_SETTINGS names another file outright (tests use it to stay out of the build folder).

#include <functional>
#include <string>

inline constexpr const char* SettingsFileName = "Velmora.ini";
inline constexpr const char* SettingsEnvironmentVariable = "VELMORA_SETTINGS";

struct TSettingsLocation {
  // Reads an environment variable; empty when unset.
  std::function<std::string(const char*)> GetEnv;
  // Whether a file could be created or replaced in the folder.
  std::function<bool(const std::string&)> CanWriteFolder;
  // Whether the file exists and may be replaced.
  std::function<bool(const std::string&)> CanWriteFile;
  // Whether the file may be read.
  std::function<bool(const std::string&)> CanReadFile;
};

// The real environment and file system.
TSettingsLocation SystemSettingsLocation();

// The settings file for a program in `programFolder`.
std::string ChooseSettingsPath(const std::string& programFolder,
                               const TSettingsLocation& location = SystemSettingsLocation());
