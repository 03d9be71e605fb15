#include <gtest/gtest.h>

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

TEST_F(IniFileTest, UnreadableFileGivesDefaults) {
  fs::create_directories(path_);  // a folder where the file should be
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("Navigator", "ShowHint", "1"), "1");
}

TEST_F(IniFileTest, FailedWriteIsReportedAndKeptInMemory) {
  fs::create_directories(path_);
  TIniFile blocked(path_);  // the target is a folder: the rename over it fails
  blocked.WriteString("S", "k", "v");
  EXPECT_TRUE(blocked.WriteFailed());
  EXPECT_FALSE(blocked.LastWriteError().empty());
  EXPECT_EQ(blocked.ReadString("S", "k", ""), "v");
}

TEST_F(IniFileTest, MissingFolderIsCreatedOnFirstWrite) {
  const std::string nested = (dir_ / "config" / "Velmora" / "Velmora.ini").string();
  TIniFile ini(nested);
  ini.WriteInteger("Default zoom", "Index", 1);
  EXPECT_FALSE(ini.WriteFailed());
  EXPECT_EQ(TIniFile(nested).ReadInteger("Default zoom", "Index", 3), 1);
}

}  // namespace
