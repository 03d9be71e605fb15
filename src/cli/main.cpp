// velmora-cli: the image model without a window, for batch work and for checking files.

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "CliCommon.h"
#include "model/Errors.h"

namespace {

const char* const Usage =
    "usage: velmora-cli info FILE\n"
    "       velmora-cli frames FILE DIR\n"
    "       velmora-cli convert IN OUT [--bits N] [--dither 0-6] [--quality Q]\n"
    "                                  [--compression lzw|rle] [--loop N]\n"
    "       velmora-cli palette IN OUT [--format plt|gpl|jasc|riff|act]\n"
    "       velmora-cli palettes\n"
    "       velmora-cli icon OUT.ico IN... [--bits 1|4|8|16|24|32]\n"
    "       velmora-cli gif OUT.gif FRAME... [--delay MS] [--loop N] [--bits N] [--dither 0-6]\n";

int ParseInt(const std::string& option, const std::string& text, int low, int high) {
  size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size() || value < low || value > high)
    throw EUsage(option + " expects a number from " + std::to_string(low) + " to " +
                 std::to_string(high));
  return value;
}

TConvertOptions ParseConvertOptions(const std::vector<std::string>& args, size_t first) {
  TConvertOptions o;
  for (size_t i = first; i < args.size(); i += 2) {
    const std::string& name = args[i];
    if (i + 1 >= args.size()) throw EUsage(name + " needs a value");
    const std::string& value = args[i + 1];
    if (name == "--bits")
      o.Bits = ParseInt(name, value, 1, 32);
    else if (name == "--dither")
      o.Dither = ParseInt(name, value, 0, 6);
    else if (name == "--quality")
      o.Quality = ParseInt(name, value, 1, 100);
    else if (name == "--loop")
      o.Loop = ParseInt(name, value, 0, 65535);
    else if (name == "--compression" && (value == "lzw" || value == "rle"))
      o.Compression = value == "rle" ? 1 : 0;
    else if (name == "--compression")
      throw EUsage("--compression expects lzw or rle");
    else
      throw EUsage("unknown option " + name);
  }
  return o;
}

// The files named before the first option; at least one is required.
std::vector<std::string> Inputs(const std::vector<std::string>& args, size_t& next) {
  std::vector<std::string> files;
  while (next < args.size() && args[next].rfind("--", 0) != 0) files.push_back(args[next++]);
  if (files.empty()) throw EUsage("no input files for " + args[0]);
  return files;
}

int RunIconCommand(const std::vector<std::string>& args) {
  size_t next = 2;
  const std::vector<std::string> inputs = Inputs(args, next);
  int bits = 32;
  for (; next < args.size(); next += 2) {
    if (args[next] != "--bits") throw EUsage("unknown option " + args[next]);
    if (next + 1 >= args.size()) throw EUsage("--bits needs a value");
    bits = ParseInt("--bits", args[next + 1], 1, 32);
  }
  return RunIcon(args[1], inputs, bits);
}

int RunGifCommand(const std::vector<std::string>& args) {
  size_t next = 2;
  const std::vector<std::string> frames = Inputs(args, next);
  TGifOptions o;
  for (; next < args.size(); next += 2) {
    const std::string& name = args[next];
    if (next + 1 >= args.size()) throw EUsage(name + " needs a value");
    const std::string& value = args[next + 1];
    if (name == "--delay")
      o.Delay = ParseInt(name, value, 0, 65535);
    else if (name == "--loop")
      o.Loop = ParseInt(name, value, 0, 65535);
    else if (name == "--bits")
      o.Bits = ParseInt(name, value, 1, 8);
    else if (name == "--dither")
      o.Dither = ParseInt(name, value, 0, 6);
    else
      throw EUsage("unknown option " + name);
  }
  return RunGif(args[1], frames, o);
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) throw EUsage("no command given");
  const std::string& command = args[0];
  if (command == "info" && args.size() == 2) return RunInfo(args[1]);
  if (command == "frames" && args.size() == 3) return RunFrames(args[1], args[2]);
  if (command == "convert" && args.size() >= 3)
    return RunConvert(args[1], args[2], ParseConvertOptions(args, 3));
  if (command == "palettes" && args.size() == 1) return RunListPalettes();
  if (command == "icon" && args.size() >= 3) return RunIconCommand(args);
  if (command == "gif" && args.size() >= 3) return RunGifCommand(args);
  if (command == "palette" && args.size() == 3) return RunPalette(args[1], args[2], "");
  if (command == "palette" && args.size() == 5 && args[3] == "--format")
    return RunPalette(args[1], args[2], args[4]);
  if (command == "info" || command == "frames" || command == "convert" || command == "palette" ||
      command == "palettes" || command == "icon" || command == "gif")
    throw EUsage("wrong number of arguments for " + command);
  throw EUsage("unknown command " + command);
}

}  // namespace

int main(int argc, char** argv) {
  TuneMemoryForBatchWork();
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return Run(args);
  } catch (const EUsage& e) {
    std::fprintf(stderr, "velmora-cli: %s\n%s", e.what(), Usage);
    return 2;
  } catch (const EFileError& e) {
    std::fprintf(stderr, "velmora-cli: %s: %s\n", e.File.c_str(), e.what());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "velmora-cli: out of memory\n");
    return 1;
  }
}
