// One registry hive as a tree, and its text form: the .reg files of regedit. Reads ANSI REGEDIT4,
// ANSI "Windows Registry Editor Version 5.00" and the UTF-16LE (with BOM) 5.00 files that regedit
// writes; writes ANSI 5.00 with CRLF line ends, keys sorted, long hex data wrapped at 77 columns.
// Importing a file applies it in order: keys and values are set, `"name"=-` deletes a value and
// `[-KEY]` a key with everything beneath it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32_types.h"

namespace winsim {

struct RegValue {
    std::string name;  // "" is the default value (written @)
    win::DWORD type = win::REG_NONE;
    std::vector<std::uint8_t> data;  // exactly the bytes stored (ANSI text for string types)
};

class RegKey {
  public:
    RegKey() = default;
    explicit RegKey(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    const std::vector<RegValue>& Values() const { return values_; }
    const std::vector<RegKey>& Children() const { return children_; }

    // Case-insensitive lookups; nullptr when missing.
    const RegKey* FindChild(std::string_view name) const;
    RegKey* FindChild(std::string_view name);
    const RegValue* FindValue(std::string_view name) const;

    RegKey& CreateChild(std::string_view name);  // the existing child or a new one
    bool RemoveChild(std::string_view name);
    void SetValue(RegValue value);  // replaces a value of that name (keeping its place)
    bool RemoveValue(std::string_view name);

    // Walks a path of key names (already split). nullptr when a part is missing.
    const RegKey* Find(const std::vector<std::string>& path) const;
    RegKey* Find(const std::vector<std::string>& path);

    bool operator==(const RegKey& other) const;

  private:
    std::string name_;
    std::vector<RegValue> values_;
    std::vector<RegKey> children_;  // kept sorted case-insensitively, as regedit lists them
};

struct RegParseError {
    std::size_t line = 0;  // 1-based; 0 when the file as a whole is wrong
    std::string message;
};

class RegFile {
  public:
    static constexpr const char* kHeader5 = "Windows Registry Editor Version 5.00";
    static constexpr const char* kHeader4 = "REGEDIT4";

    // Applies the .reg text `bytes` to `root`, the key named `rootName` (for example
    // "HKEY_LOCAL_MACHINE"). Keys of another root are an error. On error `root` is unchanged.
    static bool Import(std::string_view bytes, std::string_view rootName, RegKey& root,
                       RegParseError& error);

    // Parses a whole file into a fresh tree.
    static bool Parse(std::string_view bytes, std::string_view rootName, RegKey& root,
                      RegParseError& error);

    // The ANSI 5.00 text of a tree (CRLF line ends).
    static std::string Write(const RegKey& root, std::string_view rootName);

    // The hex and dword forms, exposed for tests.
    static std::string FormatValueLine(const RegValue& value);
};

}  // namespace winsim
