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

RegistryKey* FindChild(RegistryKey& key, std::string_view name) {
  for (RegistryKey& child : key.subKeys) {
    if (RegistryNamesEqual(child.name, name)) return &child;
  }
  return nullptr;
}

const RegistryValue* FindValue(const RegistryKey& key, std::string_view name) {
  for (const RegistryValue& value : key.values) {
    if (RegistryNamesEqual(value.name, name)) return &value;
  }
  return nullptr;
}

// The value `name` of `key`, added when missing; null when the name is too long or the key full.
RegistryValue* ValueSlot(RegistryKey& key, std::string_view name) {
  if (name.size() > kRegistryMaxValueName) return nullptr;
  for (RegistryValue& value : key.values) {
    if (RegistryNamesEqual(value.name, name)) return &value;
  }
  if (key.values.size() >= kRegistryMaxChildren) return nullptr;
  key.values.push_back(RegistryValue{std::string(name), RegistryValueType::kDword, 0, {}});
  return &key.values.back();
}

bool StoreDword(RegistryKey& key, std::string_view name, std::uint32_t v) {
  RegistryValue* value = ValueSlot(key, name);
  if (value == nullptr) return false;
  value->type = RegistryValueType::kDword;
  value->dword = v;
  value->text.clear();
  return true;
}

bool StoreText(RegistryKey& key, std::string_view name, std::string_view text) {
  if (text.size() > kRegistryMaxText) return false;
  RegistryValue* value = ValueSlot(key, name);
  if (value == nullptr) return false;
  value->type = RegistryValueType::kString;
  value->dword = 0;
  value->text = std::string(text);
  return true;
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

RegistryKey* RegistryTree::CreateKeyMutable(std::string_view path) {
  std::vector<std::string_view> parts;
  if (!SplitPath(path, parts)) return nullptr;
  RegistryKey* key = &root_;
  for (std::string_view part : parts) {
    RegistryKey* child = FindChild(*key, part);
    if (child == nullptr) {
      if (key->subKeys.size() >= kRegistryMaxChildren) return nullptr;
      key->subKeys.push_back(RegistryKey{std::string(part), {}, {}});
      child = &key->subKeys.back();
    }
    key = child;
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
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    parent = FindChild(*parent, parts[i]);
    if (parent == nullptr) return false;
  }
  auto& kids = parent->subKeys;
  auto it = std::find_if(kids.begin(), kids.end(), [&](const RegistryKey& k) {
    return RegistryNamesEqual(k.name, parts.back());
  });
  if (it == kids.end()) return false;
  kids.erase(it);
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

bool RegistryTree::SetDword(std::string_view path, std::string_view name, std::uint32_t v) {
  RegistryKey* key = CreateKeyMutable(path);
  return key != nullptr && StoreDword(*key, name, v);
}

bool RegistryTree::SetString(std::string_view path, std::string_view name, std::string_view text) {
  RegistryKey* key = CreateKeyMutable(path);
  return key != nullptr && StoreText(*key, name, text.substr(0, text.find('\0')));
}

bool RegistryTree::DeleteValue(std::string_view path, std::string_view name) {
  RegistryKey* key = FindKeyMutable(path);
  if (key == nullptr) return false;
  auto& values = key->values;
  auto it = std::find_if(values.begin(), values.end(),
                         [&](const RegistryValue& v) { return RegistryNamesEqual(v.name, name); });
  if (it == values.end()) return false;
  values.erase(it);
  return true;
}

std::string RegistryTree::Serialise() const {
  std::string out(kHeader);
  out += "\n\n";
  AppendKey(out, root_, std::string(kHive), true);
  return out;
}

std::optional<RegistryTree> RegistryTree::Parse(std::string_view text, const char** reason) {
  const char* unused = nullptr;
  const char*& why = reason != nullptr ? *reason : unused;
  // A UTF-8 byte-order mark left by an editor is not part of the header.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

  RegistryTree tree;
  bool sawHeader = false;
  // Only valid until the next key is created: a new sibling may move it.
  RegistryKey* current = nullptr;
  std::string name;
  std::string data;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find('\0') != std::string_view::npos) {
      why = "zero byte in the text";
      return std::nullopt;
    }
    if (line.empty() || line.front() == ';') continue;
    if (!sawHeader) {
      if (line != kHeader) {
        why = "no REGEDIT4 header";
        return std::nullopt;
      }
      sawHeader = true;
      continue;
    }
    if (line.front() == '[') {
      std::string_view path;
      current = ParseSection(line, path) ? tree.CreateKeyMutable(path) : nullptr;
      if (current == nullptr) {
        why = "bad key line";
        return std::nullopt;
      }
      continue;
    }
    if (current == nullptr) {
      why = "value outside a key";
      return std::nullopt;
    }
    if (line.front() == '@') {
      name.clear();
      line.remove_prefix(1);
    } else if (!ParseQuoted(line, name)) {
      why = "bad value name";
      return std::nullopt;
    }
    if (line.empty() || line.front() != '=') {
      why = "no '=' after the value name";
      return std::nullopt;
    }
    line.remove_prefix(1);
    bool stored = false;
    if (!line.empty() && line.front() == '"') {
      stored = ParseQuoted(line, data) && line.empty() && StoreText(*current, name, data);
    } else {
      std::uint32_t v = 0;
      stored = ParseDword(line, v) && StoreDword(*current, name, v);
    }
    if (!stored) {
      why = "bad value data";
      return std::nullopt;
    }
  }
  if (!sawHeader) {
    why = "no REGEDIT4 header";
    return std::nullopt;
  }
  return tree;
}
