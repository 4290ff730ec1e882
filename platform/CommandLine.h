// Reads the program's command-line options into a plain record, with the texts to print and the
// exit code when the program should stop right away.
#pragma once

#include <cstdint>
#include <span>
#include <string>

inline constexpr const char* kVersionText = "quenbry-solitaire 0.1.0";

struct CommandLineOptions {
  bool fullscreen = false;
  int scale = 1;        // 1 to 8
  std::string dataDir;  // empty: look for the data directory
  bool hasSeed = false;
  std::uint32_t seed = 0;
  bool demoToolkit = false;
  bool exitAtTitle = false;
};

struct CommandLineResult {
  // False when the program must end now with exitCode (after --help, --version or an error).
  bool run = true;
  int exitCode = 0;
  std::string out;  // to print on standard output
  std::string err;  // to print on standard error
  CommandLineOptions options;
};

// args[0] is the program name. Accepts "--scale N" and "--scale=N" alike. Unknown options, missing
// or bad values and stray arguments give the usage on stderr and exit code 2.
CommandLineResult ParseCommandLine(std::span<const char* const> args);

// The usage text, as --help prints it.
std::string UsageText();
