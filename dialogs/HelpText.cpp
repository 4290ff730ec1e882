// Reading the help file as the text-mode line reader of the first version of the game did, with
// every limit checked: a damaged or hostile file yields less text, never a fault.
#include "dialogs/HelpText.h"

#include <algorithm>
#include <cstring>

#include "platform/FileBytes.h"

namespace {

// Hands out the file's lines the way a 256-byte line buffer sees them: at most 255 bytes at a
// time, a piece ending after its line feed. Carriage return + line feed counts as one line feed,
// as it does when the file is read in text mode, so a file written on either system reads the
// same.
class LineReader {
public:
  explicit LineReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // False at the end of the bytes. The line is cut at its first zero byte (the buffer is read as
  // a C string), then at its first carriage return or line feed.
  bool Next(std::string& line) {
    if (pos_ >= bytes_.size()) return false;
    line.clear();
    bool ended = false;
    while (!ended && pos_ < bytes_.size() && line.size() < kHelpLineBuffer - 1) {
      std::uint8_t c = bytes_[pos_++];
      if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') c = bytes_[pos_++];
      line.push_back(static_cast<char>(c));
      ended = c == '\n';
    }
    const std::size_t zero = line.find('\0');
    if (zero != std::string::npos) line.resize(zero);
    const std::size_t end = line.find_first_of("\r\n");
    if (end != std::string::npos) line.resize(end);
    return true;
  }

private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

bool StartsWith(const std::string& line, std::string_view prefix) {
  return line.size() >= prefix.size() &&
         std::memcmp(line.data(), prefix.data(), prefix.size()) == 0;
}

}  // namespace

HelpSection ParseHelpSection(std::span<const std::uint8_t> bytes, std::string_view gameTitle) {
  HelpSection section;
  std::string key = "[";
  key.append(gameTitle);
  key.push_back(']');

  LineReader reader(bytes);
  std::string line;
  bool found = false;
  while (!found && reader.Next(line)) found = StartsWith(line, key);
  if (!found) return section;

  section.pages.emplace_back();
  while (reader.Next(line)) {
    if (StartsWith(line, "[")) break;
    if (StartsWith(line, "<BR>")) {
      // A section longer than the viewer's pages is cut there rather than refused: the player
      // still gets its beginning.
      if (section.PageCount() == kHelpMaxPages) break;
      section.pages.emplace_back();
      continue;
    }
    std::vector<std::string>& lines = section.pages.back().lines;
    if (static_cast<int>(lines.size()) == kHelpMaxLines) continue;
    if (static_cast<int>(line.size()) > kHelpMaxLineLength) line.resize(kHelpMaxLineLength);
    lines.push_back(line);
  }
  return section;
}

HelpSection LoadHelpSection(const std::string& path, std::string_view gameTitle) {
  std::vector<std::uint8_t> bytes;
  if (ReadFileBytes(path.c_str(), kHelpFileCap, bytes) != FileBytesStatus::kOk) return {};
  return ParseHelpSection(bytes, gameTitle);
}
