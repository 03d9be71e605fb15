#include "model/SettingsPath.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

std::string UserConfigFolder(const TSettingsLocation& location) {
  const std::string xdg = location.GetEnv("XDG_CONFIG_HOME");
  // Relative values are invalid by the base-directory rules and are ignored.
  if (!xdg.empty() && xdg.front() == '/') return xdg;
  const std::string home = location.GetEnv("HOME");
  return Join(home.empty() ? "/tmp" : home, ".config");
}

}  // namespace

TSettingsLocation SystemSettingsLocation() {
  TSettingsLocation loc;
  loc.GetEnv = [](const char* name) {
    const char* v = std::getenv(name);
    return std::string(v ? v : "");
  };
  loc.CanWriteFolder = [](const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
  };
  loc.CanWriteFile = [](const std::string& file) { return ::access(file.c_str(), W_OK) == 0; };
  loc.CanReadFile = [](const std::string& file) { return ::access(file.c_str(), R_OK) == 0; };
  return loc;
}

std::string ChooseSettingsPath(const std::string& programFolder,
                               const TSettingsLocation& location) {
  const std::string named = location.GetEnv(SettingsEnvironmentVariable);
  if (!named.empty()) return named;
  const std::string beside = Join(programFolder, SettingsFileName);
  std::error_code ec;
  const bool exists = std::filesystem::exists(beside, ec);
  if (exists && location.CanReadFile && !location.CanReadFile(beside)) return beside;
  // Replacing the file goes through a temporary file in the folder, so the folder must be
  // writable either way; an existing read-only file is respected as well.
  if (location.CanWriteFolder(programFolder) && (!exists || location.CanWriteFile(beside)))
    return beside;
  return Join(Join(UserConfigFolder(location), "Velmora"), SettingsFileName);
}
