#pragma once
// The palette store: palette files in the folder "Palettes" beside the program.
//
// A palette file holds the first 4 + 4 * count bytes of a palette record. Its name is the
// palette's name, ".plt" and, only when the entry count is a power of two, the count in decimal
// (Warm.plt16, Warm.plt256; a 264-entry palette is Warm.plt). The dialogs find palettes of a
// wanted size by that extension. The environment variable VELMORA_PALETTES names another folder
// (tests use it to stay out of the build folder).

#include <functional>
#include <string>
#include <vector>

#include "model/Palette.h"

inline constexpr const char* PaletteFolderEnvironmentVariable = "VELMORA_PALETTES";

// The folder of the running program with a trailing '/', or "" when it cannot be found.
std::string ProgramFolder();
// The palette folder with a trailing '/'. Nothing creates it: a missing folder lists as empty.
std::string PaletteFolder();
// The palette that images deeper than 8 bits take: PaletteFolder() + "Default.plt".
std::string DefaultPaletteFile();

bool IsPowerOfTwo(int n);
// ".plt16" for 16 entries, ".plt" for 264 (or any count that is not a power of two).
std::string PaletteExtension(int count);
// The file name of a palette: name + PaletteExtension(count).
std::string PaletteFileName(const std::string& name, int count);
// The pattern that lists the palettes an image of `bits` can take: "*.plt" followed by 2^bits
// for 1 to 8 bits, "*.plt" for deeper images.
std::string PalettePattern(int bits);

// Whether a file name matches one wildcard ('*' any run, '?' one character). Letters match
// regardless of case, as people type extensions either way.
bool MatchesWildcard(const std::string& name, const std::string& wildcard);
// Whether a file name matches any of the ';'-separated wildcards of a pattern.
bool MatchesPattern(const std::string& name, const std::string& pattern);
// The names of the plain files of `folder` that match `pattern`, sorted with numbers in their
// order (Default.plt2 before Default.plt16). A missing or unreadable folder gives an empty list.
std::vector<std::string> ListPaletteFiles(const std::string& folder, const std::string& pattern);

// Why a stored palette file cannot be used, or "" when it can: the reasons of ReadPalette, and a
// count that differs from the one its extension names (Warm.plt16 must hold 16 colours).
std::string CheckPaletteFile(const std::string& path);

// The question asked before a palette file is replaced.
std::string OverwritePaletteQuestion(const std::string& path);

// Answers the overwrite question; true only for Yes.
using TConfirmOverwrite = std::function<bool(const std::string& question)>;

// Writes the first 4 + 4 * count bytes of `pal` to `path` (its folder is created when missing).
// When the file exists, `confirm` is asked first and anything but Yes writes nothing. Returns
// whether the file was written; a failed write throws EVelmoraError and leaves the old file.
bool WritePalette(const std::string& path, const TPaletteRecord& pal,
                  const TConfirmOverwrite& confirm);
