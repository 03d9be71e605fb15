#pragma once
// A plain INI settings file of our own: "[Section]" lines followed by "Key=Value" lines.
//
// Section and key names are kept exactly as written (spaces included) and compared without regard
// to letter case, as users of INI files expect. Every change is written to the file at once,
// through a temporary file that is renamed over the old one, so a crash never leaves a half
// written settings file. Several changes can be grouped into one write with TIniFile::TBatch.
//
// A missing file reads as empty, so every read then yields its default. A file that exists but
// cannot be read reads as empty too, and is then never written: the user's settings are worth
// more than this run's, so changes stay in memory and ReadError() tells why.

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TIniFile {
 public:
  explicit TIniFile(std::string fileName);

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  // Values that are not a whole decimal number (or "$"/"0x" hexadecimal) give `def`.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  // "1", "true" and "yes" read as true, "0", "false" and "no" as false, anything else as `def`.
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBool(const std::string& section, const std::string& key, bool value);

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  // The key names of a section in file order.
  std::vector<std::string> ReadSection(const std::string& section) const;
  void DeleteKey(const std::string& section, const std::string& key);
  void EraseSection(const std::string& section);

  // Why the existing file could not be read ("" when it was read or did not exist). While this
  // is set nothing is written to the file.
  const std::string& ReadError() const { return readError_; }

  // Whether the last attempt to write the file failed (the change is still kept in memory).
  bool WriteFailed() const { return writeFailed_; }
  const std::string& LastWriteError() const { return lastWriteError_; }

  // The file text as it is (or would be) written.
  std::string Text() const;

  // While a batch is alive, changes are collected and written once when the last batch ends.
  class TBatch {
   public:
    explicit TBatch(TIniFile& ini) : ini_(ini) { ++ini_.batchDepth_; }
    ~TBatch();
    TBatch(const TBatch&) = delete;
    TBatch& operator=(const TBatch&) = delete;

   private:
    TIniFile& ini_;
  };

 private:
  struct TEntry {
    std::string Key;
    std::string Value;
  };
  // Entries keep their file order; the index finds a key by its lower-case name, so reading a
  // file with many keys takes linear time.
  struct TSection {
    std::string Name;
    std::vector<TEntry> Entries;
    std::unordered_map<std::string, size_t> Index;
    const TEntry* Find(const std::string& key) const;
    void Put(const std::string& key, const std::string& value);
    bool Erase(const std::string& key);
  };

  void Load();
  void Parse(const std::string& text);
  void Changed();
  void Flush();
  const TSection* FindSection(const std::string& name) const;
  TSection* FindSection(const std::string& name);
  TSection& SectionFor(const std::string& name);
  std::optional<std::string> Find(const std::string& section, const std::string& key) const;

  std::string fileName_;
  std::vector<TSection> sections_;
  std::unordered_map<std::string, size_t> sectionIndex_;  // lower-case name -> position
  int batchDepth_ = 0;
  bool dirty_ = false;
  bool writeFailed_ = false;
  std::string readError_;
  std::string lastWriteError_;
};
