#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "TempDir.h"

#include "model/SettingsPath.h"

namespace {

TSettingsLocation Fake(std::map<std::string, std::string> env, bool folderWritable,
                       bool fileWritable = true, bool fileReadable = true) {
  TSettingsLocation loc;
  loc.GetEnv = [env](const char* name) {
    const auto it = env.find(name);
    return it == env.end() ? std::string() : it->second;
  };
  loc.CanWriteFolder = [folderWritable](const std::string&) { return folderWritable; };
  loc.CanWriteFile = [fileWritable](const std::string&) { return fileWritable; };
  loc.CanReadFile = [fileReadable](const std::string&) { return fileReadable; };
  return loc;
}

TEST(SettingsPath, BesideTheProgramWhenItsFolderIsWritable) {
  EXPECT_EQ(ChooseSettingsPath("/opt/velmora/bin", Fake({{"HOME", "/home/ann"}}, true)),
            "/opt/velmora/bin/Velmora.ini");
}

TEST(SettingsPath, UserConfigFolderForAnInstalledProgram) {
  EXPECT_EQ(ChooseSettingsPath("/usr/bin", Fake({{"HOME", "/home/ann"}}, false)),
            "/home/ann/.config/Velmora/Velmora.ini");
  EXPECT_EQ(ChooseSettingsPath("/usr/bin",
                               Fake({{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/cfg"}}, false)),
            "/cfg/Velmora/Velmora.ini");
  // A relative XDG_CONFIG_HOME is not valid and is ignored.
  EXPECT_EQ(
      ChooseSettingsPath("/usr/bin", Fake({{"HOME", "/h"}, {"XDG_CONFIG_HOME", "cfg"}}, false)),
      "/h/.config/Velmora/Velmora.ini");
}

TEST(SettingsPath, AnExistingFileThatCannotBeReadStaysTheChoice) {
  // Moving elsewhere would hide the user's settings; the store reports the file instead.
  TTempDir dir;
  std::ofstream(dir.File("Velmora.ini")) << "[Navigator]\nShowHint=0\n";
  const std::string folder = dir.Path().string();
  EXPECT_EQ(ChooseSettingsPath(folder, Fake({{"HOME", "/h"}}, false, false, false)),
            dir.File("Velmora.ini"));
  EXPECT_EQ(ChooseSettingsPath(folder, Fake({{"HOME", "/h"}}, true, true, false)),
            dir.File("Velmora.ini"));
  // Readable but not writable: an installed program's file, kept in the user's folder instead.
  EXPECT_EQ(ChooseSettingsPath(folder, Fake({{"HOME", "/h"}}, true, false, true)),
            "/h/.config/Velmora/Velmora.ini");
}

TEST(SettingsPath, EnvironmentVariableNamesTheFileOutright) {
  EXPECT_EQ(ChooseSettingsPath("/usr/bin", Fake({{"VELMORA_SETTINGS", "/tmp/t.ini"}}, true)),
            "/tmp/t.ini");
}

TEST(SettingsPath, RealFolderThatDoesNotExistFallsBack) {
  const std::string chosen = ChooseSettingsPath("/nonexistent/velmora/folder");
  if (!SystemSettingsLocation().GetEnv("VELMORA_SETTINGS").empty()) GTEST_SKIP();
  EXPECT_NE(chosen.find("/Velmora/Velmora.ini"), std::string::npos);
}

}  // namespace
