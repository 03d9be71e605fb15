#include "model/PaletteStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "TempDir.h"
#include "model/Errors.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TPaletteRecord Palette(int count) {
  TPaletteRecord pal;
  pal.Count = uint16_t(count);
  for (int i = 0; i < count; ++i) pal.SetColor(i, MakeColor(i, 255 - i % 256, 7));
  return pal;
}

const TConfirmOverwrite Never = [](const std::string&) {
  ADD_FAILURE() << "asked about a file that did not exist";
  return true;
};

// Sets an environment variable for the life of the object.
class TScopedEnv {
 public:
  TScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    ::setenv(name, value.c_str(), 1);
  }
  ~TScopedEnv() {
    if (had_)
      ::setenv(name_, old_.c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

}  // namespace

TEST(PaletteNames, CountGoesIntoTheExtensionOnlyForPowersOfTwo) {
  EXPECT_EQ(PaletteFileName("Warm", 256), "Warm.plt256");
  EXPECT_EQ(PaletteFileName("Warm", 16), "Warm.plt16");
  EXPECT_EQ(PaletteFileName("Warm", 2), "Warm.plt2");
  EXPECT_EQ(PaletteFileName("Warm", 1), "Warm.plt1");
  EXPECT_EQ(PaletteFileName("Warm", 264), "Warm.plt");
  EXPECT_EQ(PaletteFileName("Web", 216), "Web.plt");
  EXPECT_EQ(PaletteFileName("Empty", 0), "Empty.plt");
  EXPECT_EQ(PalettePattern(1), "*.plt2");
  EXPECT_EQ(PalettePattern(4), "*.plt16");
  EXPECT_EQ(PalettePattern(8), "*.plt256");
  EXPECT_EQ(PalettePattern(16), "*.plt");
  EXPECT_EQ(PalettePattern(24), "*.plt");
  EXPECT_EQ(PalettePattern(-1), "*.plt");
}

TEST(PaletteNames, WildcardsMatchLikeTheFileDialogs) {
  EXPECT_TRUE(MatchesWildcard("Warm.plt16", "*.plt*"));
  EXPECT_TRUE(MatchesWildcard("Warm.plt", "*.plt*"));
  EXPECT_TRUE(MatchesWildcard("Warm.PLT16", "*.plt16"));
  EXPECT_FALSE(MatchesWildcard("Warm.plt16", "*.plt"));
  EXPECT_FALSE(MatchesWildcard("Warm.plt160", "*.plt16"));
  EXPECT_FALSE(MatchesWildcard("Warm.plt", "*.plt16"));
  EXPECT_TRUE(MatchesWildcard("a.b.c", "a*b*c"));
  EXPECT_TRUE(MatchesWildcard("abc", "a?c"));
  EXPECT_FALSE(MatchesWildcard("ac", "a?c"));
  EXPECT_TRUE(MatchesWildcard("", "*"));
  EXPECT_TRUE(MatchesPattern("x.plt16", "*.plt2;*.plt16"));
  EXPECT_FALSE(MatchesPattern("x.plt4", "*.plt2;*.plt16"));
  EXPECT_FALSE(MatchesPattern("x.plt4", ";"));
}

TEST(PaletteStore, ListsMatchingPlainFilesSorted) {
  TTempDir dir;
  for (const char* name : {"Warm.plt16", "Cold.plt16", "Big.plt256", "Deep.plt", "notes.txt"})
    WriteRaw(dir.File(name), "x");
  std::filesystem::create_directory(dir.File("Folder.plt16"));
  const std::string folder = dir.Path().string() + "/";
  using Names = std::vector<std::string>;
  EXPECT_EQ(ListPaletteFiles(folder, "*.plt*"),
            (Names{"Big.plt256", "Cold.plt16", "Deep.plt", "Warm.plt16"}));
  EXPECT_EQ(ListPaletteFiles(folder, "*.plt16"), (Names{"Cold.plt16", "Warm.plt16"}));
  EXPECT_EQ(ListPaletteFiles(folder, "*.plt"), (Names{"Deep.plt"}));
  EXPECT_EQ(ListPaletteFiles(folder, "*.plt;*.plt256"), (Names{"Big.plt256", "Deep.plt"}));
  EXPECT_TRUE(ListPaletteFiles(folder, "*.plt2").empty());
  EXPECT_TRUE(ListPaletteFiles(folder + "Missing/", "*.plt*").empty());
}

TEST(PaletteStore, NumbersInNamesSortByValue) {
  TTempDir dir;
  for (const char* name : {"D.plt256", "D.plt16", "D.plt2", "D.plt128", "C.plt16", "D.plt"})
    WriteRaw(dir.File(name), "x");
  EXPECT_EQ(
      ListPaletteFiles(dir.Path().string(), "*.plt*"),
      (std::vector<std::string>{"C.plt16", "D.plt", "D.plt2", "D.plt16", "D.plt128", "D.plt256"}));
}

TEST(PaletteStore, WritesTheLeadingBytesOfTheRecord) {
  TTempDir dir;
  const std::string p256 = dir.File(PaletteFileName("Warm", 256));
  ASSERT_TRUE(WritePalette(p256, Palette(256), Never));
  const std::string bytes = ReadAll(p256);
  ASSERT_EQ(bytes.size(), 1028u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x00\x03\x00\x01", 4));
  EXPECT_EQ(bytes.substr(4, 4), std::string("\x00\xff\x07\x00", 4));
  TPaletteRecord pal;
  FillDefaultPalette264(pal);
  const std::string p264 = dir.File(PaletteFileName("Warm", 264));
  ASSERT_TRUE(WritePalette(p264, pal, Never));
  EXPECT_EQ(std::filesystem::file_size(p264), 1060u);
  const std::string p2 = dir.File(PaletteFileName("Warm", 2));
  ASSERT_TRUE(WritePalette(p2, Palette(2), Never));
  EXPECT_EQ(std::filesystem::file_size(p2), 12u);
  TPaletteRecord back;
  ReadPalette(p256, back);
  EXPECT_EQ(back, Palette(256));
}

TEST(PaletteStore, OverwriteNeedsAYes) {
  TTempDir dir;
  const std::string path = dir.File("Warm.plt16");
  WriteRaw(path, "keep these bytes");
  std::vector<std::string> asked;
  for (bool answer : {false, false}) {
    EXPECT_FALSE(WritePalette(path, Palette(16), [&](const std::string& q) {
      asked.push_back(q);
      return answer;
    }));
    EXPECT_EQ(ReadAll(path), "keep these bytes");
  }
  EXPECT_FALSE(WritePalette(path, Palette(16), nullptr));  // nobody to ask: keep the file
  EXPECT_EQ(ReadAll(path), "keep these bytes");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], "The palette " + path + " already exists. Do you want to overwrite it?");
  EXPECT_TRUE(WritePalette(path, Palette(16), [](const std::string&) { return true; }));
  EXPECT_EQ(std::filesystem::file_size(path), 68u);
}

TEST(PaletteStore, WritingCreatesAMissingFolderAndReportsFailures) {
  TTempDir dir;
  const std::string path = dir.File("Palettes/Warm.plt4");
  EXPECT_TRUE(WritePalette(path, Palette(4), Never));
  EXPECT_EQ(std::filesystem::file_size(path), 20u);
  WriteRaw(dir.File("plain"), "x");
  EXPECT_THROW(WritePalette(dir.File("plain/Warm.plt4"), Palette(4), Never), EVelmoraError);
}

TEST(PaletteStore, ChecksFilesBeforeTheListsOfferThem) {
  TTempDir dir;
  const std::string good = dir.File("Good.plt4");
  WritePalette(good, Palette(4), Never);
  EXPECT_EQ(CheckPaletteFile(good), "");
  const std::string wrongCount = dir.File("Wrong.plt16");
  WritePalette(wrongCount, Palette(4), Never);
  EXPECT_EQ(CheckPaletteFile(wrongCount), "The palette holds 4 colors, not 16.");
  const std::string noCount = dir.File("Any.plt");
  WritePalette(noCount, Palette(16), Never);
  EXPECT_EQ(CheckPaletteFile(noCount), "");
  const std::string truncated = dir.File("Short.plt16");
  WriteRaw(truncated, std::string("\x00\x03\x10\x00", 4) + "abc");
  EXPECT_EQ(CheckPaletteFile(truncated), "The palette file is damaged.");
  EXPECT_NE(CheckPaletteFile(dir.File("Missing.plt")), "");
}

TEST(PaletteStore, ReadingIgnoresBytesPastTheEntriesAndRefusesOtherVersions) {
  const std::string bytes = std::string("\x00\x03\x01\x00", 4) + "\x01\x02\x03\x04" + "tail";
  TPaletteRecord pal;
  ReadPaletteBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), pal);
  EXPECT_EQ(pal.Count, 1);
  EXPECT_EQ(pal.Entries[0], (TPaletteEntry{1, 2, 3, 4}));
  EXPECT_THROW(ReadPaletteBytes(nullptr, 0, pal), EVelmoraError);
  for (const char* version : {"\x34\x12", "\x00\x02", "\x03\x00"}) {
    const std::string other = std::string(version, 2) + bytes.substr(2);
    TPaletteRecord kept = pal;
    EXPECT_THROW(ReadPaletteBytes(reinterpret_cast<const uint8_t*>(other.data()), other.size(), kept),
                 EVelmoraError);
    EXPECT_EQ(kept.Entries[0], pal.Entries[0]);  // nothing read into the record
  }
}

TEST(PaletteStore, FolderIsBesideTheProgramUnlessNamed) {
  const std::string program = ProgramFolder();
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(program.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(program + "model_tests"));
  {
    TScopedEnv env(PaletteFolderEnvironmentVariable, "/some/where");
    EXPECT_EQ(PaletteFolder(), "/some/where/");
    EXPECT_EQ(DefaultPaletteFile(), "/some/where/Default.plt");
  }
  TScopedEnv env(PaletteFolderEnvironmentVariable, "");
  EXPECT_EQ(PaletteFolder(), program + "Palettes/");
}

TEST(PaletteStore, ShippedPalettesGiveEveryDepthItsDefault) {
  const std::string folder = ProgramFolder() + "Palettes/";
  TPaletteRecord expected, read;
  for (int bits = 1; bits <= 8; ++bits) {
    const std::string path = folder + PaletteFileName("Default", 1 << bits);
    FillDefaultPalette(expected, bits);
    ReadPalette(path, read);
    EXPECT_EQ(read, expected) << path;
  }
  FillDefaultPalette264(expected);
  ReadPalette(folder + "Default.plt", read);
  EXPECT_EQ(read, expected);
  for (const std::string& name : ListPaletteFiles(folder, "*.plt*"))
    EXPECT_EQ(CheckPaletteFile(folder + name), "") << name;
  EXPECT_GE(ListPaletteFiles(folder, "*.plt*").size(), 14u);
}

TEST(PaletteStore, MissingDefaultPaletteFileStillGivesDeepImagesThePalette) {
  TTempDir dir;
  TPaletteRecord pal, expected;
  FillDefaultPalette264(expected);
  ReadPalette(dir.File("Palettes/Default.plt"), pal);
  EXPECT_EQ(pal, expected);
}
