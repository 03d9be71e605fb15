#include "model/MruList.h"

#include <algorithm>

#include "model/IniFile.h"

namespace {

std::string ItemKey(int i) {
  return "Item_" + std::to_string(i);
}
std::string UserKey(int i) {
  return "User_" + std::to_string(i);
}

}  // namespace

void TMruList::Add(const std::string& path, int tag) {
  if (path.empty()) return;
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const TEntry& e) { return e.Path == path; });
  if (it != entries_.end()) {
    const TEntry entry = *it;
    entries_.erase(it);
    entries_.insert(entries_.begin(), entry);
    return;
  }
  entries_.insert(entries_.begin(), TEntry{path, tag});
  if (entries_.size() > size_t(Capacity)) entries_.resize(Capacity);
}

void TMruList::Remove(const std::string& path) {
  std::erase_if(entries_, [&](const TEntry& e) { return e.Path == path; });
}

bool TMruList::Contains(const std::string& path) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const TEntry& e) { return e.Path == path; });
}

int TMruList::Cleanup(const std::function<bool(const std::string&)>& exists) {
  int removed = 0;
  for (int i = Count() - 1; i >= 0; --i) {
    if (!exists(entries_[size_t(i)].Path)) {
      entries_.erase(entries_.begin() + i);
      ++removed;
    }
  }
  return removed;
}

void TMruList::Load(const TIniFile& ini, const std::string& section) {
  entries_.clear();
  for (int i = Capacity - 1; i >= 0; --i) {
    const std::string path = ini.ReadString(section, ItemKey(i), "");
    if (path.empty()) continue;
    Add(path, ini.ReadInteger(section, UserKey(i), 0));
  }
}

void TMruList::Save(TIniFile& ini, const std::string& section) const {
  TIniFile::TBatch batch(ini);
  ini.EraseSection(section);
  for (int i = 0; i < Count(); ++i) {
    const TEntry& e = entries_[size_t(i)];
    ini.WriteString(section, ItemKey(i), e.Path);
    if (e.Tag != 0)
      ini.WriteInteger(section, UserKey(i), e.Tag);
    else
      ini.DeleteKey(section, UserKey(i));
  }
}
