// Parses the command line strictly: every option is known, every value is checked.
#include "platform/CommandLine.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace {

constexpr int kExitUsage = 2;
constexpr int kMaxScale = 8;

std::optional<std::uint32_t> ParseUnsigned(std::string_view text) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

CommandLineResult Fail(const std::string& problem) {
  CommandLineResult result;
  result.run = false;
  result.exitCode = kExitUsage;
  result.err = "quenbry-solitaire: " + problem + "\n" + UsageText();
  return result;
}

}  // namespace

std::string UsageText() {
  return "Usage: quenbry-solitaire [OPTION]...\n"
         "Plays Klondike, Gate, Quadrille, Auld Lang Syne and Block Solitaire.\n"
         "\n"
         "  --fullscreen     start covering the whole screen (F11 switches back)\n"
         "  --scale N        open a window N times 800 x 600 pixels, N from 1 to 8\n"
         "                   (less when the desktop has no room for it)\n"
         "  --data-dir DIR   read artwork, sounds, music and fonts from DIR\n"
         "  --seed N         shuffle every new deck from seed N (0 to 4294967295),\n"
         "                   so the same deals come again\n"
         "  --demo-toolkit   show the widget toolkit demonstration\n"
         "  --exit-at-title  start without the logo's wait and end once the title shows\n"
         "                   (for measuring start-up)\n"
         "  -h, --help       show this help and exit\n"
         "  --version        show the version and exit\n";
}

CommandLineResult ParseCommandLine(std::span<const char* const> args) {
  CommandLineResult result;
  CommandLineOptions& options = result.options;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == nullptr) continue;
    std::string_view arg = args[i];
    std::string_view name = arg;
    std::optional<std::string_view> inlineValue;
    if (std::size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      name = arg.substr(0, eq);
      inlineValue = arg.substr(eq + 1);
    }
    bool takesValue = name == "--scale" || name == "--data-dir" || name == "--seed";
    if (inlineValue && !takesValue) {
      return Fail("option '" + std::string(name) + "' takes no value");
    }
    std::string_view value;
    if (takesValue) {
      if (inlineValue) {
        value = *inlineValue;
      } else if (i + 1 < args.size() && args[i + 1] != nullptr) {
        value = args[++i];
      } else {
        return Fail("option '" + std::string(name) + "' needs a value");
      }
    }

    if (name == "--help" || name == "-h") {
      result.run = false;
      result.exitCode = 0;
      result.out = UsageText();
      return result;
    }
    if (name == "--version") {
      result.run = false;
      result.exitCode = 0;
      result.out = std::string(kVersionText) + "\n";
      return result;
    }
    if (name == "--fullscreen") {
      options.fullscreen = true;
    } else if (name == "--demo-toolkit") {
      options.demoToolkit = true;
    } else if (name == "--exit-at-title") {
      options.exitAtTitle = true;
    } else if (name == "--scale") {
      std::optional<std::uint32_t> scale = ParseUnsigned(value);
      if (!scale || *scale < 1 || *scale > kMaxScale) {
        return Fail("--scale needs a whole number from 1 to 8, not '" + std::string(value) + "'");
      }
      options.scale = static_cast<int>(*scale);
    } else if (name == "--data-dir") {
      if (value.empty()) return Fail("--data-dir needs a directory");
      options.dataDir = std::string(value);
    } else if (name == "--seed") {
      std::optional<std::uint32_t> seed = ParseUnsigned(value);
      if (!seed) {
        return Fail("--seed needs a whole number from 0 to 4294967295, not '" + std::string(value) +
                    "'");
      }
      options.hasSeed = true;
      options.seed = *seed;
    } else if (arg.starts_with("-")) {
      return Fail("unknown option '" + std::string(arg) + "'");
    } else {
      return Fail("unexpected argument '" + std::string(arg) + "'");
    }
  }
  return result;
}
