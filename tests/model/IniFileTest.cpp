#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "model/FileIO.h"
#include "model/IniFile.h"

namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("velmora_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "Velmora.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void WriteText(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string ReadText() {
    const TBytes bytes = ReadFileBytes(path_);
    return std::string(bytes.begin(), bytes.end());
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(IniFileTest, MissingFileGivesDefaultsAndIsNotCreatedByReading) {
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Navigator", "ShowHint", "1"), "1");
  EXPECT_EQ(ini.ReadInteger("Default zoom", "Index", 3), 3);
  EXPECT_FALSE(ini.SectionExists("Navigator"));
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(IniFileTest, SectionNamesWithSpacesAreKeptAsWritten) {
  {
    TIniFile ini(path_);
    ini.WriteString("Main form settings", "NormPos", "10,20,810,620");
    ini.WriteInteger("Default zoom", "Index", 2);
  }
  EXPECT_EQ(ReadText(), "[Main form settings]\nNormPos=10,20,810,620\n\n[Default zoom]\nIndex=2\n");
}

TEST_F(IniFileTest, EveryWriteReachesTheFileAtOnce) {
  TIniFile ini(path_);
  ini.WriteBool("Options", "WarnBoxes.Checked", false);
  TIniFile other(path_);
  EXPECT_FALSE(other.ReadBool("Options", "WarnBoxes.Checked", true));
  ini.DeleteKey("Options", "WarnBoxes.Checked");
  EXPECT_FALSE(TIniFile(path_).ValueExists("Options", "WarnBoxes.Checked"));
}

TEST_F(IniFileTest, BatchWritesOnceAtTheEnd) {
  TIniFile ini(path_);
  {
    TIniFile::TBatch batch(ini);
    ini.WriteString("A", "x", "1");
    ini.WriteString("A", "y", "2");
    EXPECT_FALSE(fs::exists(path_));
  }
  EXPECT_EQ(TIniFile(path_).ReadString("A", "y", ""), "2");
}

TEST_F(IniFileTest, ReadsHandWrittenFilesLeniently) {
  WriteText(
      "\xEF\xBB\xBF; comment\r\n[MRU Files]\r\n  Item_0 = /tmp/a b.bmp \r\njunk line\r\n"
      "[Default Zoom]\nindex=4\nIndex=1\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("MRU files", "ITEM_0", ""), "/tmp/a b.bmp");
  EXPECT_EQ(ini.ReadInteger("Default zoom", "Index", 3), 4);  // the first of repeated keys wins
  EXPECT_EQ(ini.ReadSection("mru files"), std::vector<std::string>{"Item_0"});
}

TEST_F(IniFileTest, OddValuesGiveTheDefault) {
  WriteText("[S]\nA=banana\nB=12x\nC=\nD=99999999999\nE=$1F\nF=-7\nG=maybe\nH=True\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("S", "A", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "B", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "C", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "D", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "E", 3), 31);
  EXPECT_EQ(ini.ReadInteger("S", "F", 3), -7);
  EXPECT_TRUE(ini.ReadBool("S", "G", true));
  EXPECT_FALSE(ini.ReadBool("S", "G", false));
  EXPECT_TRUE(ini.ReadBool("S", "H", false));
}

TEST_F(IniFileTest, ValuesWithEdgeBlanksOrQuotesSurviveARoundTrip) {
  {
    TIniFile ini(path_);
    ini.WriteString("S", "a", " padded ");
    ini.WriteString("S", "b", "\"quoted\"");
    ini.WriteString("S", "c", "two\nlines");
  }
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("S", "a", ""), " padded ");
  EXPECT_EQ(ini.ReadString("S", "b", ""), "\"quoted\"");
  EXPECT_EQ(ini.ReadString("S", "c", ""), "two lines");
}

TEST_F(IniFileTest, EraseSectionRemovesItWhole) {
  TIniFile ini(path_);
  ini.WriteString("MRU files", "Item_0", "/a");
  ini.WriteString("Navigator", "ShowHint", "1");
  ini.EraseSection("mru FILES");
  EXPECT_EQ(ReadText(), "[Navigator]\nShowHint=1\n");
}

TEST_F(IniFileTest, AFileThatCannotBeReadGivesDefaultsAndIsNeverWritten) {
  fs::create_directories(path_);  // a folder where the file should be
  {
    TIniFile ini(path_);
    EXPECT_EQ(ini.ReadError(), "Is a directory");
    EXPECT_EQ(ini.ReadString("Navigator", "ShowHint", "1"), "1");
    ini.WriteString("Navigator", "ShowHint", "0");  // kept for this run only
    EXPECT_EQ(ini.ReadString("Navigator", "ShowHint", "1"), "0");
    EXPECT_FALSE(ini.WriteFailed());  // nothing was tried, so nothing more to report
  }
  EXPECT_TRUE(fs::is_directory(path_));
  fs::remove(path_);
  ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);  // reading it would wait for a writer
  {
    TIniFile ini(path_);
    EXPECT_EQ(ini.ReadError(), "Not a plain file");
    ini.EraseSection("MRU files");
    ini.WriteInteger("Default zoom", "Index", 1);
  }
  EXPECT_TRUE(fs::is_fifo(path_));
  fs::remove(path_);
  fs::create_symlink(path_, path_);  // a link to itself cannot be followed
  EXPECT_FALSE(TIniFile(path_).ReadError().empty());
  EXPECT_TRUE(TIniFile((dir_ / "missing.ini").string()).ReadError().empty());
}

TEST_F(IniFileTest, FailedWriteNamesItsCauseAndIsKeptInMemory) {
  WriteText("");  // a file where the settings folder should be
  TIniFile blocked((dir_ / "Velmora.ini" / "Velmora" / "Velmora.ini").string());
  blocked.WriteString("S", "k", "v");
  EXPECT_TRUE(blocked.WriteFailed());
  EXPECT_EQ(blocked.LastWriteError().find("Cannot create the folder "), 0u);
  EXPECT_EQ(blocked.ReadString("S", "k", ""), "v");
  if (::access("/sys", F_OK) != 0) return;
  TIniFile denied("/sys/velmora-settings/Velmora.ini");  // no one may make folders there
  denied.WriteString("S", "k", "v");
  // The cause is the folder that cannot be made, not the file that is then missing.
  EXPECT_EQ(denied.LastWriteError().find("Cannot create the folder /sys/velmora-settings: "), 0u);
  EXPECT_EQ(denied.LastWriteError().find("No such file"), std::string::npos);
}

TEST_F(IniFileTest, ManyKeysInOneSectionReadInLinearTime) {
  // With every key compared against every earlier one this took minutes.
  constexpr int Keys = 100000;
  std::string text = "[Main form settings]\n";
  for (int i = 0; i < Keys; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  text += "KEY7=repeated\n[Other]\nKey7=other\n";
  WriteText(text);
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadSection("Main form settings").size(), size_t(Keys));
  EXPECT_EQ(ini.ReadInteger("main form settings", "key7", -1), 7);  // the first one wins
  EXPECT_EQ(ini.ReadInteger("Main form settings", "Key99999", -1), 99999);
  EXPECT_EQ(ini.ReadString("Other", "Key7", ""), "other");
  ini.DeleteKey("Main form settings", "Key0");
  ini.WriteString("Main form settings", "Key1", "one");
  EXPECT_FALSE(ini.ValueExists("Main form settings", "Key0"));
  EXPECT_EQ(ini.ReadString("Main form settings", "Key1", ""), "one");
  EXPECT_EQ(ini.ReadString("Main form settings", "Key2", ""), "2");  // found after the delete
  EXPECT_EQ(ini.ReadSection("Main form settings").front(), "Key1");
}

TEST_F(IniFileTest, MissingFolderIsCreatedOnFirstWrite) {
  const std::string nested = (dir_ / "config" / "Velmora" / "Velmora.ini").string();
  TIniFile ini(nested);
  ini.WriteInteger("Default zoom", "Index", 1);
  EXPECT_FALSE(ini.WriteFailed());
  EXPECT_EQ(TIniFile(nested).ReadInteger("Default zoom", "Index", 3), 1);
}

}  // namespace
