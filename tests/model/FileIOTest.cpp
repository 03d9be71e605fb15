#include "model/FileIO.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempDir.h"
#include "ErrorText.h"
#include "model/Errors.h"

namespace {

namespace fs = std::filesystem;

std::string Text(const std::string& path) {
  const TBytes bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void Save(const std::string& path, const std::string& text) {
  WriteFileAtomic(path, TBytes(text.begin(), text.end()));
}

mode_t Mode(const std::string& path) {
  struct stat st;
  EXPECT_EQ(::stat(path.c_str(), &st), 0);
  return st.st_mode & 07777;
}

TEST(FileIO, SavingThroughALinkWritesItsTargetAndKeepsTheLinkAndPermissions) {
  TTempDir dir;
  fs::create_directories(dir.Path() / "real");
  const std::string target = dir.File("real/picture.bmp");
  Save(target, "old");
  ::chmod(target.c_str(), 0640);
  const std::string link = dir.File("link.bmp");
  fs::create_symlink("real/picture.bmp", link);  // relative to the link's folder
  const std::string chain = dir.File("chain.bmp");
  fs::create_symlink(link, chain);

  Save(chain, "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_symlink(chain));
  EXPECT_EQ(Text(target), "new");
  EXPECT_EQ(Mode(target), 0640u);
  EXPECT_EQ(ResolveSaveTarget(chain), target);
  EXPECT_EQ(ResolveSaveTarget(target), target);

  // A dangling link creates the file it points at.
  const std::string dangling = dir.File("dangling.bmp");
  fs::create_symlink(dir.File("real/created.bmp"), dangling);
  Save(dangling, "made");
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(Text(dir.File("real/created.bmp")), "made");

  // A loop of links is refused without touching anything.
  fs::create_symlink(dir.File("loop-b"), dir.File("loop-a"));
  fs::create_symlink(dir.File("loop-a"), dir.File("loop-b"));
  EXPECT_NE(ErrorText([&] { Save(dir.File("loop-a"), "x"); }), "");
  EXPECT_TRUE(fs::is_symlink(dir.File("loop-a")));
}

TEST(FileIO, ASaveRemovesWhatKilledSavesOfTheSameFileLeftBehind) {
  TTempDir dir;
  const std::string target = dir.File("name.bmp");
  const auto leave = [&](const std::string& name) {
    std::ofstream(dir.File(name)) << "partial";
    return dir.File(name);
  };
  const std::string stale = leave(".name.bmp.velmora-a1B2c3");
  const std::string otherFile = leave(".other.bmp.velmora-a1B2c3");  // another target's
  const std::string notOurs = leave(".name.bmp.backup");             // the user's own
  const std::string busy = leave(".name.bmp.velmora-Zz9Yy8");  // a save still running elsewhere
  const int fd = ::open(busy.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);

  Save(target, "done");
  EXPECT_EQ(Text(target), "done");
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(otherFile));
  EXPECT_TRUE(fs::exists(notOurs));
  EXPECT_TRUE(fs::exists(busy));
  ::close(fd);
  Save(target, "again");  // once its save is gone, it is stale too
  EXPECT_FALSE(fs::exists(busy));
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.Path())) ++files;
  EXPECT_EQ(files, 3u);  // the target, the other target's and the backup
}

TEST(FileIO, FailuresNameTheirCause) {
  TTempDir dir;
  EXPECT_EQ(ErrorText([&] { ReadFileBytes(dir.File("missing.bmp")); }),
            "Cannot open missing.bmp: No such file or directory");
  EXPECT_EQ(ErrorText([&] { ReadFileBytes(dir.File("")); }).find("Cannot read"), 0u);
  if (::access("/sys", F_OK) == 0) {  // sysfs never takes new files, not even from root
    EXPECT_EQ(ErrorText([] { Save("/sys/picture.bmp", "x"); }),
              "Cannot write picture.bmp: the folder /sys is read-only.");
  }
  EXPECT_EQ(ErrorText([&] { Save(dir.File("no/such/folder/a.bmp"), "x"); }),
            "Cannot write a.bmp: No such file or directory");
}

}  // namespace
