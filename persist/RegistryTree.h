// The settings store as a tree of keys and values held in memory, with the text form it is saved
// in; no file is touched here, so every rule of the store can be checked without a disk.
#pragma once

#include <cstddef>
#include <cstdint>
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

struct RegistryKey {
  std::string name;  // As first given; looked up without regard to ASCII case.
  std::vector<RegistryValue> values;
  std::vector<RegistryKey> subKeys;

  bool operator==(const RegistryKey&) const = default;
};

// Limits that keep a hand-edited or damaged file from growing without bound, and keep every
// name writable on one line of the text form.
inline constexpr std::size_t kRegistryMaxKeyName = 255;
inline constexpr std::size_t kRegistryMaxValueName = 16383;
inline constexpr std::size_t kRegistryMaxText = 65535;
inline constexpr int kRegistryMaxDepth = 512;
inline constexpr std::size_t kRegistryMaxChildren = 1024;  // Subkeys, and values, of one key.

// Key paths are relative to HKEY_CURRENT_USER, parts separated by backslashes ("" is that root).
// Names are compared without regard to ASCII case and keep the case they were first given with.
class RegistryTree {
public:
  // Create-or-open: makes the key and any missing parents. False when the path is not a valid
  // key path (an empty part, a part too long or holding a control character).
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
  // Reads the text form into a fresh tree; nullopt with a short fixed reason when any line is
  // not understood. Nothing in the input is trusted.
  static std::optional<RegistryTree> Parse(std::string_view text, const char** reason = nullptr);

  bool operator==(const RegistryTree&) const = default;

private:
  RegistryKey* FindKeyMutable(std::string_view path);
  RegistryKey* CreateKeyMutable(std::string_view path);

  RegistryKey root_;
};

// ASCII case-insensitive equality of two names.
bool RegistryNamesEqual(std::string_view a, std::string_view b);
