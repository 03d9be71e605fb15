#include "model/PaletteStore.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "model/Errors.h"
#include "model/FileIO.h"

namespace fs = std::filesystem;

namespace {

std::string WithTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// The count an extension such as ".plt16" names, or -1 when it names none.
int CountInExtension(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return -1;
  const std::string ext = fileName.substr(dot + 1);
  if (ext.size() <= 3 || ext.size() > 7 || !MatchesWildcard(ext.substr(0, 3), "plt")) return -1;
  int count = 0;
  for (size_t i = 3; i < ext.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(ext[i]))) return -1;
    count = count * 10 + (ext[i] - '0');
  }
  return count;
}

// Orders names as people read them: runs of digits by their value, so Default.plt16 comes after
// Default.plt2 and before Default.plt128; everything else by its bytes.
bool NaturalLess(const std::string& a, const std::string& b) {
  const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (!digit(a[i]) || !digit(b[j])) {
      if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
      ++i;
      ++j;
      continue;
    }
    size_t ei = i, ej = j;
    while (ei < a.size() && digit(a[ei])) ++ei;
    while (ej < b.size() && digit(b[ej])) ++ej;
    // Leading zeros do not count; a longer run of significant digits is the larger number.
    size_t si = i, sj = j;
    while (si + 1 < ei && a[si] == '0') ++si;
    while (sj + 1 < ej && b[sj] == '0') ++sj;
    if (ei - si != ej - sj) return ei - si < ej - sj;
    const int order = a.compare(si, ei - si, b, sj, ej - sj);
    if (order != 0) return order < 0;
    i = ei;
    j = ej;
  }
  if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
  return a < b;
}

}  // namespace

std::string ProgramFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return "";
  return WithTrailingSlash(exe.parent_path().string());
}

std::string ShippedPaletteFolder() {
  const std::string program = ProgramFolder();
  if (program.empty()) return "";
  const fs::path shipped = fs::path(program + "../share/velmora/Palettes").lexically_normal();
  std::error_code ec;
  return fs::is_directory(shipped, ec) ? WithTrailingSlash(shipped.string()) : "";
}

std::string UserPaletteFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && *data == '/') return WithTrailingSlash(data) + "velmora/Palettes/";
  const char* home = std::getenv("HOME");
  return WithTrailingSlash(home && *home ? home : "/tmp") + ".local/share/velmora/Palettes/";
}

std::string PaletteFolder() {
  const char* named = std::getenv(PaletteFolderEnvironmentVariable);
  if (named && *named) return WithTrailingSlash(named);
  if (!ShippedPaletteFolder().empty()) return UserPaletteFolder();
  return ProgramFolder() + "Palettes/";
}

std::vector<std::string> PaletteFolders() {
  std::vector<std::string> folders{PaletteFolder()};
  const char* named = std::getenv(PaletteFolderEnvironmentVariable);
  const std::string shipped = ShippedPaletteFolder();
  if (!(named && *named) && !shipped.empty() && shipped != folders[0]) folders.push_back(shipped);
  return folders;
}

std::string FindPaletteFile(const std::string& name) {
  for (const std::string& folder : PaletteFolders()) {
    std::error_code ec;
    if (fs::is_regular_file(folder + name, ec)) return folder + name;
  }
  return PaletteFolder() + name;
}

std::string DefaultPaletteFile() {
  return FindPaletteFile("Default.plt");
}

bool IsPowerOfTwo(int n) {
  return n > 0 && (n & (n - 1)) == 0;
}

std::string PaletteExtension(int count) {
  return IsPowerOfTwo(count) ? ".plt" + std::to_string(count) : ".plt";
}

std::string PaletteFileName(const std::string& name, int count) {
  return name + PaletteExtension(count);
}

std::string PalettePattern(int bits) {
  if (bits < 1 || bits > 8) return "*.plt";
  return "*.plt" + std::to_string(1 << bits);
}

bool MatchesWildcard(const std::string& name, const std::string& wildcard) {
  // Greedy matching with one remembered star: linear for the short names of a folder.
  size_t n = 0, w = 0, starW = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (w < wildcard.size() && wildcard[w] == '*') {
      starW = w++;
      starN = n;
    } else if (w < wildcard.size() && (wildcard[w] == '?' || SameLetter(wildcard[w], name[n]))) {
      ++n;
      ++w;
    } else if (starW != std::string::npos) {
      w = starW + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (w < wildcard.size() && wildcard[w] == '*') ++w;
  return w == wildcard.size();
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  size_t start = 0;
  while (start <= pattern.size()) {
    size_t end = pattern.find(';', start);
    if (end == std::string::npos) end = pattern.size();
    const std::string wildcard = pattern.substr(start, end - start);
    if (!wildcard.empty() && MatchesWildcard(name, wildcard)) return true;
    start = end + 1;
  }
  return false;
}

std::vector<std::string> ListPaletteFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = it->path().filename().string();
    if (MatchesPattern(name, pattern)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), NaturalLess);
  return names;
}

std::string CheckPaletteFile(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return "The palette file does not exist.";
  TPaletteRecord pal;
  try {
    ReadPalette(path, pal);
  } catch (const EVelmoraError& e) {
    return e.what();
  }
  const int named = CountInExtension(fs::path(path).filename().string());
  if (named >= 0 && named != pal.Count)
    return "The palette holds " + std::to_string(pal.Count) + " colors, not " +
           std::to_string(named) + ".";
  return "";
}

std::string OverwritePaletteQuestion(const std::string& path) {
  return "The palette " + path + " already exists. Do you want to overwrite it?";
}

bool WritePalette(const std::string& path, const TPaletteRecord& pal,
                  const TConfirmOverwrite& confirm, std::optional<TPaletteFormat> format) {
  // The bytes come first: a palette the format cannot hold is refused before any question.
  const std::string bytes = PaletteBytesAs(format.value_or(PaletteFormatForFileName(path)), pal,
                                           fs::path(path).stem().string());
  std::error_code ec;
  if (fs::exists(path, ec) && !(confirm && confirm(OverwritePaletteQuestion(path)))) return false;
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty()) fs::create_directories(folder, ec);
  WriteFileAtomic(path, TBytes(bytes.begin(), bytes.end()));
  return true;
}
