// Reads a settings file and reports what it holds, for scripts/reliability-check to time.
//   settings_load FILE

#include <cstdio>

#include "model/IniFile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: settings_load FILE\n");
    return 2;
  }
  const TIniFile ini(argv[1]);
  const size_t keys = ini.ReadSection("Main form settings").size();
  std::printf("%zu keys in [Main form settings]\n", keys);
  return 0;
}
