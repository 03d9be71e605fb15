#include <gtest/gtest.h>

#include <map>

#include "model/SettingsPath.h"

namespace {

TSettingsLocation Fake(std::map<std::string, std::string> env, bool folderWritable,
                       bool fileWritable = true) {
  TSettingsLocation loc;
  loc.GetEnv = [env](const char* name) {
    const auto it = env.find(name);
    return it == env.end() ? std::string() : it->second;
  };
  loc.CanWriteFolder = [folderWritable](const std::string&) { return folderWritable; };
  loc.CanWriteFile = [fileWritable](const std::string&) { return fileWritable; };
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
