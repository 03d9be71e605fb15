#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "model/IniFile.h"
#include "model/MruList.h"

namespace {

std::vector<std::string> Paths(const TMruList& list) {
  std::vector<std::string> paths;
  for (const auto& e : list.Entries()) paths.push_back(e.Path);
  return paths;
}

TEST(MruList, NewestFirstAndAtMostSixteen) {
  TMruList list;
  for (int i = 1; i <= 17; ++i) list.Add("/f" + std::to_string(i));
  EXPECT_EQ(list.Count(), 16);
  EXPECT_EQ(list.Entries().front().Path, "/f17");
  EXPECT_EQ(list.Entries().back().Path, "/f2");
  EXPECT_FALSE(list.Contains("/f1"));
}

TEST(MruList, ReAddingMovesToTopKeepingTheTag) {
  TMruList list;
  list.Add("/a", 5);
  list.Add("/b");
  list.Add("/c");
  list.Add("/a");
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"/a", "/c", "/b"}));
  EXPECT_EQ(list.Entries().front().Tag, 5);
}

TEST(MruList, PathsDifferingInCaseAreDifferentFiles) {
  TMruList list;
  list.Add("/pics/Logo.bmp");
  list.Add("/pics/logo.bmp");
  EXPECT_EQ(list.Count(), 2);
  list.Add("");
  EXPECT_EQ(list.Count(), 2);
}

TEST(MruList, CleanupRemovesMissingFiles) {
  TMruList list;
  for (const char* p : {"/gone1", "/here", "/gone2"}) list.Add(p);
  const std::set<std::string> existing = {"/here"};
  EXPECT_EQ(list.Cleanup([&](const std::string& p) { return existing.count(p) > 0; }), 2);
  EXPECT_EQ(Paths(list), std::vector<std::string>{"/here"});
}

TEST(MruList, SavesAndLoadsWithItemZeroOnTop) {
  const auto file = std::filesystem::temp_directory_path() / "velmora_mru_test.ini";
  std::filesystem::remove(file);
  TIniFile ini(file.string());
  ini.WriteString("MRU files", "Item_9", "/stale");
  TMruList list;
  list.Add("/old", 7);
  list.Add("/new");
  list.Save(ini, "MRU files");
  EXPECT_EQ(ini.ReadString("MRU files", "Item_0", ""), "/new");
  EXPECT_EQ(ini.ReadString("MRU files", "Item_1", ""), "/old");
  EXPECT_EQ(ini.ReadInteger("MRU files", "User_1", 0), 7);
  EXPECT_FALSE(ini.ValueExists("MRU files", "User_0"));
  EXPECT_FALSE(ini.ValueExists("MRU files", "Item_9"));  // the section is rewritten whole
  TMruList loaded;
  loaded.Load(TIniFile(file.string()), "MRU files");
  EXPECT_EQ(loaded.Entries(), list.Entries());
  std::filesystem::remove(file);
}

TEST(MruList, LoadSkipsGapsAndIgnoresNumbersBeyondFifteen) {
  const auto file = std::filesystem::temp_directory_path() / "velmora_mru_gaps.ini";
  std::filesystem::remove(file);
  {
    TIniFile ini(file.string());
    ini.WriteString("MRU files", "Item_3", "/three");
    ini.WriteString("MRU files", "Item_0", "/zero");
    ini.WriteString("MRU files", "Item_16", "/sixteen");
  }
  TMruList list;
  list.Load(TIniFile(file.string()), "MRU files");
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"/zero", "/three"}));
  std::filesystem::remove(file);
}

}  // namespace
