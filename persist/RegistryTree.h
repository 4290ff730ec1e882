// The settings store as a tree of keys and values held in memory, with the text form it is saved
// in; no file is touched here, so every rule of the store can be checked without a disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class RegistryValueType { kDword, kString };

struct RegistryValue {
  std::string name;  // "" is the key's default value, written as @.
  RegistryValueType type = RegistryValueType::kDword;
  std::uint32_t dword = 0;
  std::string text;

  bool operator==(const RegistryValue&) const = default;
};

// Positions in a key's list of values or subkeys by case-folded name, kept once the list is long
// enough to need it (empty before): a lookup then costs the name's length times the logarithm of
// the list's size, so parsing stays linear in the file whatever the names look like.
using RegistryNameIndex = std::map<std::string, std::size_t, std::less<>>;

struct RegistryKey {
  std::string name;  // As first given; looked up without regard to ASCII case.
  std::vector<RegistryValue> values;
  std::vector<RegistryKey> subKeys;
  // Kept by RegistryTree alongside the lists above; not part of a key's value.
  RegistryNameIndex valueIndex;
  RegistryNameIndex keyIndex;

  bool operator==(const RegistryKey& other) const {
    return name == other.name && values == other.values && subKeys == other.subKeys;
  }
};

// Limits that keep a hand-edited or damaged file from growing without bound, and keep every
// name writable on one line of the text form.
inline constexpr std::size_t kRegistryMaxKeyName = 255;
inline constexpr std::size_t kRegistryMaxValueName = 16383;
inline constexpr std::size_t kRegistryMaxText = 65535;
inline constexpr int kRegistryMaxDepth = 512;
inline constexpr std::size_t kRegistryMaxChildren = 1024;  // Subkeys, and values, of one key.
// The largest store file read, and so the largest text a tree may serialise to: every change
// that would make the text larger is refused, so the store never writes what it cannot read.
inline constexpr std::size_t kRegistryMaxBytes = std::size_t{1} << 20;
inline constexpr std::size_t kRegistryMaxKeys = 16384;  // In the whole tree.

// A line of the text form that was left out, numbered from 1.
struct RegistrySkippedLine {
  std::size_t number = 0;
  const char* reason = "";
};

struct RegistryParseResult;

// Key paths are relative to HKEY_CURRENT_USER, parts separated by backslashes ("" is that root).
// Names are compared without regard to ASCII case and keep the case they were first given with.
class RegistryTree {
public:
  // Create-or-open: makes the key and any missing parents. False when the path is not a valid
  // key path (an empty part, a part too long or holding a control character), or when the new
  // keys would pass a cap (then none is made).
  bool CreateKey(std::string_view path);
  // Open-existing: true when every part of the path exists.
  bool KeyExists(std::string_view path) const;
  // Deletes the key with all its subkeys; false when it does not exist. The root stays.
  bool DeleteKey(std::string_view path);

  // A REG_DWORD of an existing key; false when the key or value is missing or not a DWORD.
  bool QueryDword(std::string_view path, std::string_view name, std::uint32_t& out) const;
  // A REG_SZ of an existing key, asked for with a buffer of maxBytes including the terminating
  // zero: a text that does not fit cannot be read, as with the platform store it stands in for.
  bool QueryString(std::string_view path, std::string_view name, std::size_t maxBytes,
                   std::string& out) const;
  // Set a value, creating the key and its parents; a value of another type is replaced. A text
  // ends at its first zero byte, as a C string would. False for an invalid path or name.
  bool SetDword(std::string_view path, std::string_view name, std::uint32_t value);
  bool SetString(std::string_view path, std::string_view name, std::string_view text);
  // Removes one value of an existing key; false when there is no such value.
  bool DeleteValue(std::string_view path, std::string_view name);

  const RegistryKey* FindKey(std::string_view path) const;
  const RegistryKey& Root() const { return root_; }

  // The REGEDIT4 text of the whole tree, every key written with its full path below
  // HKEY_CURRENT_USER.
  std::string Serialise() const;
  // The length of Serialise() without building it.
  std::size_t SerialisedSize() const;
  // Reads the text form into a fresh tree, leaving out every line it cannot take (a line not
  // understood, or one past a cap) and the values of a key line left out. Nothing in the input
  // is trusted; the cost is linear in the text.
  static RegistryParseResult ParseLines(std::string_view text);
  // The same, but nullopt with a short fixed reason when no header is found or any line is left
  // out.
  static std::optional<RegistryTree> Parse(std::string_view text, const char** reason = nullptr);

  bool operator==(const RegistryTree& other) const { return root_ == other.root_; }

private:
  RegistryKey* FindKeyMutable(std::string_view path);
  RegistryKey* CreateKeyMutable(std::string_view path);
  bool StoreValue(RegistryKey& key, std::string_view name, const RegistryValue& value);
  const char* ParseValueLine(RegistryKey& key, std::string_view line, std::string& name,
                             RegistryValue& value);
  bool Fits(std::size_t removedBytes, std::size_t addedBytes) const;

  RegistryKey root_;
  // What the keys below the root and all values add to the text, and how many keys there are.
  std::size_t bytes_ = 0;
  std::size_t keys_ = 0;
};

struct RegistryParseResult {
  bool headerFound = false;  // Without it the text is no store at all.
  RegistryTree tree;
  std::vector<RegistrySkippedLine> skipped;
};

// ASCII case-insensitive equality of two names.
bool RegistryNamesEqual(std::string_view a, std::string_view b);
