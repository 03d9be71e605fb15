#pragma once
// The list of recently used files: at most 16 full paths, most recent first. Paths are compared
// exactly, since file names on Linux differ by letter case. Each entry carries an integer tag
// that is stored only when it is not 0.

#include <functional>
#include <string>
#include <vector>

class TIniFile;

class TMruList {
 public:
  struct TEntry {
    std::string Path;
    int Tag = 0;
    friend bool operator==(const TEntry&, const TEntry&) = default;
  };

  static constexpr int Capacity = 16;

  const std::vector<TEntry>& Entries() const { return entries_; }
  int Count() const { return int(entries_.size()); }
  bool Empty() const { return entries_.empty(); }

  // Puts the path on top; a path already present moves to the top instead (keeping its tag).
  // When the list overflows, the oldest entry is dropped. Empty paths are ignored.
  void Add(const std::string& path, int tag = 0);
  void Remove(const std::string& path);
  bool Contains(const std::string& path) const;
  void Clear() { entries_.clear(); }

  // Removes every entry for which `exists` answers false, walking from the last to the first.
  // Returns the number of entries removed.
  int Cleanup(const std::function<bool(const std::string&)>& exists);

  // Reads "Item_%d" / "User_%d" from 15 down to 0, so that item 0 ends on top.
  void Load(const TIniFile& ini, const std::string& section);
  // Erases the section and writes one "Item_%d" per entry (0 = most recent) and "User_%d" for
  // non-zero tags.
  void Save(TIniFile& ini, const std::string& section) const;

 private:
  std::vector<TEntry> entries_;
};
