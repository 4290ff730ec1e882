// The program's settings under "HKEY_CURRENT_USER\SOFTWARE\Quenbry Software\Solitaire": the few
// calls that the games, dialogs and the shell make, each opening the store, reading or writing,
// and closing it again, with nothing cached in between.
#pragma once

#include <cstdint>
#include <string>

// The program's root key below HKEY_CURRENT_USER.
inline constexpr const char* kSettingsRoot = "SOFTWARE\\Quenbry Software\\Solitaire";

// Reads the REG_DWORD `name` of the key `subKey` below the root (created when missing; "" is the
// root itself). A value that cannot be read is written as `fallback` at once and `fallback` is
// returned. Failures are silent.
std::int32_t ReadSettingDword(const std::string& subKey, const char* name, std::int32_t fallback);
// Writes a REG_DWORD; a failed write is ignored.
void WriteSettingDword(const std::string& subKey, const char* name, std::int32_t value);

// The same for REG_SZ values: at most 299 characters are read (300 bytes with the terminating
// zero); a missing value is written as `fallback`.
std::string ReadSettingString(const std::string& subKey, const char* name,
                              const std::string& fallback);
void WriteSettingString(const std::string& subKey, const char* name, const std::string& value);
