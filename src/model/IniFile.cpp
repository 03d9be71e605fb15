#include "model/IniFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <charconv>
#include <cstdint>
#include <filesystem>

#include "model/Errors.h"
#include "model/FileIO.h"

namespace {

std::string Trim(const std::string& s) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  size_t b = 0, e = s.size();
  while (b < e && isSpace(s[b])) ++b;
  while (e > b && isSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A value read back loses surrounding blanks, so such values are written between double quotes
// (which reading removes again). Line breaks cannot be stored in a line and become blanks.
std::string EncodeValue(std::string value) {
  std::replace(value.begin(), value.end(), '\n', ' ');
  std::replace(value.begin(), value.end(), '\r', ' ');
  const bool edgeBlank = !value.empty() && (value.front() == ' ' || value.back() == ' ' ||
                                            value.front() == '\t' || value.back() == '\t');
  const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  return edgeBlank || quoted ? '"' + value + '"' : value;
}

std::string DecodeValue(const std::string& raw) {
  std::string v = Trim(raw);
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {
  Load();
}

TIniFile::TBatch::~TBatch() {
  if (--ini_.batchDepth_ == 0 && ini_.dirty_) ini_.Flush();
}

void TIniFile::Load() {
  if (fileName_.empty()) return;
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(fileName_, ec);
  if (status.type() == fs::file_type::not_found) return;  // no settings yet
  if (ec) {
    readError_ = ec.message();
    return;
  }
  if (!fs::is_regular_file(status)) {  // a folder, a pipe or a device is no settings file
    readError_ = fs::is_directory(status) ? std::strerror(EISDIR) : "Not a plain file";
    return;
  }
  TBytes bytes;
  const int error = ReadFileBytesErrno(fileName_, bytes);
  if (error == ENOENT || error == ENOTDIR) return;  // no settings yet
  if (error != 0) {
    readError_ = std::strerror(error);
    return;
  }
  Parse(std::string(bytes.begin(), bytes.end()));
}

const TIniFile::TEntry* TIniFile::TSection::Find(const std::string& key) const {
  const auto it = Index.find(Lower(key));
  return it == Index.end() ? nullptr : &Entries[it->second];
}

void TIniFile::TSection::Put(const std::string& key, const std::string& value) {
  const auto [it, added] = Index.try_emplace(Lower(key), Entries.size());
  if (added)
    Entries.push_back({key, value});
  else
    Entries[it->second].Value = value;
}

bool TIniFile::TSection::Erase(const std::string& key) {
  const auto it = Index.find(Lower(key));
  if (it == Index.end()) return false;
  Entries.erase(Entries.begin() + ptrdiff_t(it->second));
  Index.clear();
  for (size_t i = 0; i < Entries.size(); ++i) Index.emplace(Lower(Entries[i].Key), i);
  return true;
}

void TIniFile::Parse(const std::string& text) {
  size_t pos = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;  // a byte order mark
  TSection* current = nullptr;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      current = &SectionFor(line.substr(1, line.size() - 2));
      continue;
    }
    const size_t eq = line.find('=');
    if (!current || eq == std::string::npos || eq == 0) continue;
    const std::string key = Trim(line.substr(0, eq));
    // A key repeated within a section keeps its first value, as the platform INI readers do.
    if (!current->Find(key)) current->Put(key, DecodeValue(line.substr(eq + 1)));
  }
}

const TIniFile::TSection* TIniFile::FindSection(const std::string& name) const {
  const auto it = sectionIndex_.find(Lower(name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

TIniFile::TSection* TIniFile::FindSection(const std::string& name) {
  const auto it = sectionIndex_.find(Lower(name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

TIniFile::TSection& TIniFile::SectionFor(const std::string& name) {
  const auto [it, added] = sectionIndex_.try_emplace(Lower(name), sections_.size());
  if (added) sections_.push_back(TSection{name, {}, {}});
  return sections_[it->second];
}

std::optional<std::string> TIniFile::Find(const std::string& section,
                                          const std::string& key) const {
  const TSection* s = FindSection(section);
  const TEntry* e = s ? s->Find(key) : nullptr;
  if (!e) return std::nullopt;
  return e->Value;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  return Find(section, key).value_or(def);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const auto text = Find(section, key);
  if (!text || text->empty()) return def;
  std::string digits = *text;
  int base = 10;
  bool negative = false;
  if (digits[0] == '-' || digits[0] == '+') {
    negative = digits[0] == '-';
    digits.erase(0, 1);
  }
  if (!digits.empty() && digits[0] == '$') {
    base = 16;
    digits.erase(0, 1);
  } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.erase(0, 2);
  }
  long long value = 0;
  const char* first = digits.data();
  const char* last = first + digits.size();
  const auto [ptr, ec] = std::from_chars(first, last, value, base);
  if (digits.empty() || ec != std::errc() || ptr != last) return def;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return def;
  return int(value);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  const std::string v = Lower(ReadString(section, key, ""));
  if (v == "1" || v == "true" || v == "yes") return true;
  if (v == "0" || v == "false" || v == "no") return false;
  return def;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  SectionFor(section).Put(key, value);
  Changed();
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::SectionExists(const std::string& section) const {
  return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return Find(section, key).has_value();
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> keys;
  if (const TSection* s = FindSection(section))
    for (const TEntry& e : s->Entries) keys.push_back(e.Key);
  return keys;
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
  TSection* s = FindSection(section);
  if (s && s->Erase(key)) Changed();
}

void TIniFile::EraseSection(const std::string& section) {
  const auto it = sectionIndex_.find(Lower(section));
  if (it == sectionIndex_.end()) return;
  sections_.erase(sections_.begin() + ptrdiff_t(it->second));
  sectionIndex_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) sectionIndex_.emplace(Lower(sections_[i].Name), i);
  Changed();
}

std::string TIniFile::Text() const {
  std::string text;
  for (const TSection& s : sections_) {
    if (!text.empty()) text += '\n';
    text += '[' + s.Name + "]\n";
    for (const TEntry& e : s.Entries) text += e.Key + '=' + EncodeValue(e.Value) + '\n';
  }
  return text;
}

void TIniFile::Changed() {
  dirty_ = true;
  if (batchDepth_ == 0) Flush();
}

void TIniFile::Flush() {
  dirty_ = false;
  // A file that could not be read is left as it is: writing would replace it with this run's
  // defaults.
  if (fileName_.empty() || !readError_.empty()) return;
  try {
    const std::filesystem::path dir = std::filesystem::path(fileName_).parent_path();
    std::error_code ec;
    if (!dir.empty() && !std::filesystem::create_directories(dir, ec) && ec)
      throw EVelmoraError("Cannot create the folder " + dir.string() + ": " + ec.message());
    const std::string text = Text();
    WriteFileAtomic(fileName_, TBytes(text.begin(), text.end()));
    writeFailed_ = false;
    lastWriteError_.clear();
  } catch (const EVelmoraError& e) {
    // Settings are a convenience: a failed write must not stop the editor. The caller can ask.
    writeFailed_ = true;
    lastWriteError_ = e.what();
  }
}
