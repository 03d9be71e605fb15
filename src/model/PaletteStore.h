#pragma once
// The palette store: palette files in the folder "Palettes" beside the program.
//
// A palette file holds the first 4 + 4 * count bytes of a palette record. Its name is the
// palette's name, ".plt" and, only when the entry count is a power of two, the count in decimal
// (Warm.plt16, Warm.plt256; a 264-entry palette is Warm.plt). The dialogs find palettes of a
// wanted size by that extension. The store also reads and writes the interchange formats of
// PaletteFormats.h (.gpl, .pal, .act), listed beside the program's own.
//
// Where the palettes live: an installed program (one whose folder has ../share/velmora/Palettes)
// lists its shipped palettes there, read-only, together with the user's own in
// $XDG_DATA_HOME/velmora/Palettes (~/.local/share when unset), where saving goes. A program run
// from its build folder keeps them in "Palettes" beside it. The environment variable
// VELMORA_PALETTES names one folder instead (tests use it to stay out of the build folder).

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/Palette.h"
#include "model/PaletteFormats.h"

inline constexpr const char* PaletteFolderEnvironmentVariable = "VELMORA_PALETTES";

inline constexpr const char* AllPalettesPattern = "*.plt*;*.gpl;*.pal;*.act";

// The folder of the running program with a trailing '/', or "" when it cannot be found.
std::string ProgramFolder();
// The folder the installed program ships its palettes in, or "" when it is not installed.
std::string ShippedPaletteFolder();
// The user's palette folder of an installed program: $XDG_DATA_HOME/velmora/Palettes/.
std::string UserPaletteFolder();
// The palette folder that saving writes to, with a trailing '/'. Nothing creates it before the
// first save: a missing folder lists as empty.
std::string PaletteFolder();
// Every folder whose palettes are listed, the one saving writes to first.
std::vector<std::string> PaletteFolders();
// The path of a stored palette: in the first folder of PaletteFolders() that has it, else in
// PaletteFolder().
std::string FindPaletteFile(const std::string& name);
// The palette that images deeper than 8 bits take: FindPaletteFile("Default.plt").
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

// Writes `pal` to `path` in `format`, by default the one its extension names
// (PaletteFormatForFileName); the program's own format holds the first 4 + 4 * count bytes of
// the record. The folder is created when missing. When the file exists, `confirm` is asked first
// and anything but Yes writes nothing. Returns whether the file was written; a failed write (or
// a palette the format cannot hold) throws EVelmoraError and leaves the old file.
bool WritePalette(const std::string& path, const TPaletteRecord& pal,
                  const TConfirmOverwrite& confirm,
                  std::optional<TPaletteFormat> format = std::nullopt);
