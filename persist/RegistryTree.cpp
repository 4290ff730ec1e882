// Keys and values in memory, and the REGEDIT4 text they are saved as: parsed into a fresh tree
// that only replaces anything once the whole text has been understood.
#include "persist/RegistryTree.h"

#include <algorithm>

namespace {

constexpr std::string_view kHive = "HKEY_CURRENT_USER";
constexpr std::string_view kHeader = "REGEDIT4";

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool HasControlCharacter(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

bool ValidKeyName(std::string_view part) {
  return !part.empty() && part.size() <= kRegistryMaxKeyName && !HasControlCharacter(part);
}

// Splits a key path into its parts; false when any part is not a valid key name or the path
// is too deep.
bool SplitPath(std::string_view path, std::vector<std::string_view>& parts) {
  parts.clear();
  if (path.empty()) return true;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path.find('\\', start);
    const std::string_view part = path.substr(
        start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
    if (!ValidKeyName(part) || parts.size() == static_cast<std::size_t>(kRegistryMaxDepth))
      return false;
    parts.push_back(part);
    if (slash == std::string_view::npos) return true;
    start = slash + 1;
  }
}

// The case-folded form of a name, in a buffer that every lookup of this thread reuses: a parse
// looks up every part of every key line, and an allocation each time doubled its cost.
std::string_view Folded(std::string_view name) {
  thread_local std::string buffer;
  buffer.assign(name);
  for (char& c : buffer) c = FoldCase(c);
  return buffer;
}

// Short lists are searched in order, which costs less than keeping an index; from this size on
// a list is indexed, so that a lookup never costs more than this many name comparisons.
constexpr std::size_t kIndexFrom = 16;
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

template <typename Item>
std::size_t Position(const std::vector<Item>& items, const RegistryNameIndex& index,
                     std::string_view name) {
  if (index.empty()) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (RegistryNamesEqual(items[i].name, name)) return i;
    }
    return kNotFound;
  }
  const auto it = index.find(Folded(name));
  return it == index.end() ? kNotFound : it->second;
}

template <typename Item>
Item& Append(std::vector<Item>& items, RegistryNameIndex& index, Item item) {
  items.push_back(std::move(item));
  if (!index.empty()) {
    index.emplace(std::string(Folded(items.back().name)), items.size() - 1);
  } else if (items.size() >= kIndexFrom) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      index.emplace(std::string(Folded(items[i].name)), i);
    }
  }
  return items.back();
}

// Removes the item called `name` from a list and its index; false when there is none.
template <typename Item>
bool EraseNamed(std::vector<Item>& items, RegistryNameIndex& index, std::string_view name) {
  const std::size_t at = Position(items, index, name);
  if (at == kNotFound) return false;
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(at));
  if (!index.empty()) {
    index.erase(index.find(Folded(name)));
    for (auto& entry : index) {
      if (entry.second > at) --entry.second;
    }
  }
  return true;
}

RegistryKey* FindChild(RegistryKey& key, std::string_view name) {
  const std::size_t at = Position(key.subKeys, key.keyIndex, name);
  return at == kNotFound ? nullptr : &key.subKeys[at];
}

const RegistryValue* FindValue(const RegistryKey& key, std::string_view name) {
  const std::size_t at = Position(key.values, key.valueIndex, name);
  return at == kNotFound ? nullptr : &key.values[at];
}

// What each piece adds to the text form; kept in step with AppendKey below.
std::size_t QuotedSize(std::string_view s) {
  const auto escaped = std::count_if(
      s.begin(), s.end(), [](char c) { return c == '\\' || c == '"' || c == '\n' || c == '\r'; });
  return 2 + s.size() + static_cast<std::size_t>(escaped);
}

std::size_t ValueSize(const RegistryValue& value) {
  constexpr std::size_t kDwordData = 6 + 8;  // dword:xxxxxxxx
  const std::size_t name = value.name.empty() ? 1 : QuotedSize(value.name);
  const std::size_t data =
      value.type == RegistryValueType::kDword ? kDwordData : QuotedSize(value.text);
  return name + 1 + data + 1;  // name=data and the line end
}

// "[path]" with its line end, and the empty line after the key's values.
std::size_t KeyLineSize(std::size_t pathSize) {
  return pathSize + 4;
}

// The text of a key with its values and everything below it; `keys` counts the keys.
std::size_t SubtreeSize(const RegistryKey& key, std::size_t pathSize, std::size_t& keys) {
  ++keys;
  std::size_t size = KeyLineSize(pathSize);
  for (const RegistryValue& value : key.values) size += ValueSize(value);
  for (const RegistryKey& child : key.subKeys) {
    size += SubtreeSize(child, pathSize + 1 + child.name.size(), keys);
  }
  return size;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Text values are written between quotes with backslash and quote escaped the REGEDIT4 way; line
// breaks get \n and \r so that every value stays on one line.
void AppendQuoted(std::string& out, std::string_view s) {
  out += '"';
  for (char c : s) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  out += '"';
}

void AppendHex8(std::string& out, std::uint32_t v) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (int shift = 28; shift >= 0; shift -= 4) out += kDigits[(v >> shift) & 0xf];
}

void AppendKey(std::string& out, const RegistryKey& key, const std::string& path, bool isRoot) {
  if (!isRoot || !key.values.empty()) {
    out += '[';
    out += path;
    out += "]\n";
    for (const RegistryValue& value : key.values) {
      if (value.name.empty()) {
        out += '@';
      } else {
        AppendQuoted(out, value.name);
      }
      out += '=';
      if (value.type == RegistryValueType::kDword) {
        out += "dword:";
        AppendHex8(out, value.dword);
      } else {
        AppendQuoted(out, value.text);
      }
      out += '\n';
    }
    out += '\n';
  }
  for (const RegistryKey& child : key.subKeys) {
    AppendKey(out, child, path + '\\' + child.name, false);
  }
}

// Reads a quoted text at the start of `line`, advancing past the closing quote.
bool ParseQuoted(std::string_view& line, std::string& out) {
  if (line.empty() || line.front() != '"') return false;
  out.clear();
  std::size_t i = 1;
  while (i < line.size()) {
    const char c = line[i];
    if (c == '"') {
      line.remove_prefix(i + 1);
      return true;
    }
    if (c == '\\') {
      if (i + 1 >= line.size()) return false;
      switch (line[i + 1]) {
        case '\\':
          out += '\\';
          break;
        case '"':
          out += '"';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        default:
          return false;
      }
      i += 2;
      continue;
    }
    out += c;
    ++i;
  }
  return false;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "dword:" followed by one to eight hex digits and nothing else.
bool ParseDword(std::string_view s, std::uint32_t& out) {
  constexpr std::string_view kPrefix = "dword:";
  if (s.size() <= kPrefix.size() || s.size() > kPrefix.size() + 8) return false;
  if (!RegistryNamesEqual(s.substr(0, kPrefix.size()), kPrefix)) return false;
  std::uint32_t v = 0;
  for (char c : s.substr(kPrefix.size())) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    v = (v << 4) | static_cast<std::uint32_t>(d);
  }
  out = v;
  return true;
}

// The key path of a section header "[HKEY_CURRENT_USER\...]", relative to the hive.
bool ParseSection(std::string_view line, std::string_view& path) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
  std::string_view full = line.substr(1, line.size() - 2);
  if (full.size() < kHive.size() || !RegistryNamesEqual(full.substr(0, kHive.size()), kHive)) {
    return false;
  }
  full.remove_prefix(kHive.size());
  if (full.empty()) {
    path = full;
    return true;
  }
  if (full.front() != '\\') return false;
  path = full.substr(1);
  return !path.empty();
}

}  // namespace

bool RegistryNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

bool RegistryTree::CreateKey(std::string_view path) {
  return CreateKeyMutable(path) != nullptr;
}

bool RegistryTree::Fits(std::size_t removedBytes, std::size_t addedBytes) const {
  return SerialisedSize() - removedBytes + addedBytes <= kRegistryMaxBytes;
}

std::size_t RegistryTree::SerialisedSize() const {
  const std::size_t rootLine = root_.values.empty() ? 0 : KeyLineSize(kHive.size());
  return kHeader.size() + 2 + rootLine + bytes_;
}

RegistryKey* RegistryTree::CreateKeyMutable(std::string_view path) {
  std::vector<std::string_view> parts;
  if (!SplitPath(path, parts)) return nullptr;
  RegistryKey* key = &root_;
  std::size_t pathSize = kHive.size();
  std::size_t i = 0;
  for (; i < parts.size(); ++i) {
    RegistryKey* child = FindChild(*key, parts[i]);
    if (child == nullptr) break;
    key = child;
    pathSize += 1 + parts[i].size();
  }
  if (i == parts.size()) return key;
  // Every missing key is paid for before any is made, so a refused path leaves nothing behind.
  std::size_t added = 0;
  std::size_t newPathSize = pathSize;
  for (std::size_t j = i; j < parts.size(); ++j) {
    newPathSize += 1 + parts[j].size();
    added += KeyLineSize(newPathSize);
  }
  if (key->subKeys.size() >= kRegistryMaxChildren ||
      keys_ + (parts.size() - i) > kRegistryMaxKeys || !Fits(0, added)) {
    return nullptr;
  }
  keys_ += parts.size() - i;
  bytes_ += added;
  for (; i < parts.size(); ++i) {
    RegistryKey child;
    child.name = std::string(parts[i]);
    key = &Append(key->subKeys, key->keyIndex, std::move(child));
  }
  return key;
}

const RegistryKey* RegistryTree::FindKey(std::string_view path) const {
  return const_cast<RegistryTree*>(this)->FindKeyMutable(path);
}

RegistryKey* RegistryTree::FindKeyMutable(std::string_view path) {
  std::vector<std::string_view> parts;
  if (!SplitPath(path, parts)) return nullptr;
  RegistryKey* key = &root_;
  for (std::string_view part : parts) {
    key = FindChild(*key, part);
    if (key == nullptr) return nullptr;
  }
  return key;
}

bool RegistryTree::KeyExists(std::string_view path) const {
  return FindKey(path) != nullptr;
}

bool RegistryTree::DeleteKey(std::string_view path) {
  std::vector<std::string_view> parts;
  if (!SplitPath(path, parts) || parts.empty()) return false;
  RegistryKey* parent = &root_;
  std::size_t pathSize = kHive.size();
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    parent = FindChild(*parent, parts[i]);
    if (parent == nullptr) return false;
    pathSize += 1 + parts[i].size();
  }
  const RegistryKey* doomed = FindChild(*parent, parts.back());
  if (doomed == nullptr) return false;
  std::size_t keys = 0;
  const std::size_t size = SubtreeSize(*doomed, pathSize + 1 + parts.back().size(), keys);
  EraseNamed(parent->subKeys, parent->keyIndex, parts.back());
  bytes_ -= size;
  keys_ -= keys;
  return true;
}

bool RegistryTree::QueryDword(std::string_view path, std::string_view name,
                              std::uint32_t& out) const {
  const RegistryKey* key = FindKey(path);
  if (key == nullptr) return false;
  const RegistryValue* value = FindValue(*key, name);
  if (value == nullptr || value->type != RegistryValueType::kDword) return false;
  out = value->dword;
  return true;
}

bool RegistryTree::QueryString(std::string_view path, std::string_view name, std::size_t maxBytes,
                               std::string& out) const {
  const RegistryKey* key = FindKey(path);
  if (key == nullptr) return false;
  const RegistryValue* value = FindValue(*key, name);
  if (value == nullptr || value->type != RegistryValueType::kString) return false;
  if (value->text.size() + 1 > maxBytes) return false;
  out = value->text;
  return true;
}

// Sets `value` (whose name is `name`) in `key`, replacing one of the same name; false when the
// name or text is too long, the key is full or the text form would pass its cap.
bool RegistryTree::StoreValue(RegistryKey& key, std::string_view name, const RegistryValue& value) {
  if (name.size() > kRegistryMaxValueName || value.text.size() > kRegistryMaxText) return false;
  const std::size_t at = Position(key.values, key.valueIndex, name);
  const std::size_t added = ValueSize(value);
  if (at != kNotFound) {
    RegistryValue& old = key.values[at];
    const std::size_t removed = ValueSize(old);
    if (!Fits(removed, added)) return false;
    bytes_ = bytes_ - removed + added;
    old.type = value.type;
    old.dword = value.dword;
    old.text = value.text;
    return true;
  }
  // The hive's own key line is only written once it holds a value.
  const std::size_t rootLine =
      (&key == &root_ && key.values.empty()) ? KeyLineSize(kHive.size()) : 0;
  if (key.values.size() >= kRegistryMaxChildren || !Fits(0, added + rootLine)) return false;
  Append(key.values, key.valueIndex, value);
  bytes_ += added;
  return true;
}

bool RegistryTree::SetDword(std::string_view path, std::string_view name, std::uint32_t v) {
  RegistryKey* key = CreateKeyMutable(path);
  return key != nullptr &&
         StoreValue(*key, name, RegistryValue{std::string(name), RegistryValueType::kDword, v, {}});
}

bool RegistryTree::SetString(std::string_view path, std::string_view name, std::string_view text) {
  RegistryKey* key = CreateKeyMutable(path);
  const std::string_view cut = text.substr(0, text.find('\0'));
  return key != nullptr && StoreValue(*key, name,
                                      RegistryValue{std::string(name), RegistryValueType::kString,
                                                    0, std::string(cut)});
}

bool RegistryTree::DeleteValue(std::string_view path, std::string_view name) {
  RegistryKey* key = FindKeyMutable(path);
  if (key == nullptr) return false;
  const RegistryValue* value = FindValue(*key, name);
  if (value == nullptr) return false;
  bytes_ -= ValueSize(*value);
  return EraseNamed(key->values, key->valueIndex, name);
}

std::string RegistryTree::Serialise() const {
  std::string out(kHeader);
  out.reserve(SerialisedSize());
  out += "\n\n";
  AppendKey(out, root_, std::string(kHive), true);
  return out;
}

RegistryParseResult RegistryTree::ParseLines(std::string_view text) {
  RegistryParseResult result;
  // A UTF-8 byte-order mark left by an editor is not part of the header.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

  RegistryTree& tree = result.tree;
  // Only valid until the next key is created: a new sibling may move it.
  RegistryKey* current = nullptr;
  std::string name;
  RegistryValue value;
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trimmed(line);
    const char* skipped = nullptr;
    if (line.find('\0') != std::string_view::npos) {
      skipped = "zero byte in the line";
    } else if (line.empty() || line.front() == ';') {
      continue;
    } else if (!result.headerFound) {
      // The first line that says anything must be the header, or this is no store at all.
      if (line != kHeader) return result;
      result.headerFound = true;
      continue;
    } else if (line.front() == '[') {
      std::string_view path;
      if (!ParseSection(line, path)) {
        skipped = "bad key line";
      } else if ((current = tree.CreateKeyMutable(path)) == nullptr) {
        skipped = "key path too long, too deep or past the store's size";
      }
      if (skipped != nullptr) current = nullptr;
    } else if (current == nullptr) {
      skipped = "value outside a readable key";
    } else {
      skipped = tree.ParseValueLine(*current, line, name, value);
    }
    if (skipped != nullptr) {
      if (!result.headerFound) return result;
      result.skipped.push_back(RegistrySkippedLine{number, skipped});
    }
  }
  return result;
}

const char* RegistryTree::ParseValueLine(RegistryKey& key, std::string_view line, std::string& name,
                                         RegistryValue& value) {
  if (line.front() == '@') {
    name.clear();
    line.remove_prefix(1);
  } else if (!ParseQuoted(line, name)) {
    return "bad value name";
  }
  line = Trimmed(line);
  if (line.empty() || line.front() != '=') return "no '=' after the value name";
  line = Trimmed(line.substr(1));
  value.name = name;
  value.dword = 0;
  value.text.clear();
  if (!line.empty() && line.front() == '"') {
    value.type = RegistryValueType::kString;
    if (!ParseQuoted(line, value.text) || !line.empty()) return "bad text value";
  } else {
    value.type = RegistryValueType::kDword;
    if (!ParseDword(line, value.dword)) return "bad dword value";
  }
  if (!StoreValue(key, name, value)) return "value too long or past the store's size";
  return nullptr;
}

std::optional<RegistryTree> RegistryTree::Parse(std::string_view text, const char** reason) {
  const char* unused = nullptr;
  const char*& why = reason != nullptr ? *reason : unused;
  RegistryParseResult result = ParseLines(text);
  if (!result.headerFound) {
    why = "no REGEDIT4 header";
    return std::nullopt;
  }
  if (!result.skipped.empty()) {
    why = result.skipped.front().reason;
    return std::nullopt;
  }
  return std::move(result.tree);
}
