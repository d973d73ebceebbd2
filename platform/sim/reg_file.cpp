#include "platform/sim/reg_file.h"

#include <algorithm>

#include "platform/sim/text.h"

namespace winsim {

// ---- the tree -------------------------------------------------------------------------------

const RegKey* RegKey::FindChild(std::string_view name) const {
    for (const RegKey& child : children_) {
        if (EqualsNoCase(child.name_, name)) {
            return &child;
        }
    }
    return nullptr;
}

RegKey* RegKey::FindChild(std::string_view name) {
    return const_cast<RegKey*>(static_cast<const RegKey*>(this)->FindChild(name));
}

const RegValue* RegKey::FindValue(std::string_view name) const {
    for (const RegValue& value : values_) {
        if (EqualsNoCase(value.name, name)) {
            return &value;
        }
    }
    return nullptr;
}

RegKey& RegKey::CreateChild(std::string_view name) {
    if (RegKey* existing = FindChild(name)) {
        return *existing;
    }
    auto at = std::find_if(children_.begin(), children_.end(), [&](const RegKey& child) {
        return CompareNoCase(child.name_, name) > 0;
    });
    return *children_.insert(at, RegKey(std::string(name)));
}

bool RegKey::RemoveChild(std::string_view name) {
    auto it = std::find_if(children_.begin(), children_.end(),
                           [&](const RegKey& child) { return EqualsNoCase(child.name_, name); });
    if (it == children_.end()) {
        return false;
    }
    children_.erase(it);
    return true;
}

void RegKey::SetValue(RegValue value) {
    for (RegValue& existing : values_) {
        if (EqualsNoCase(existing.name, value.name)) {
            existing.type = value.type;
            existing.data = std::move(value.data);
            return;
        }
    }
    values_.push_back(std::move(value));
}

bool RegKey::RemoveValue(std::string_view name) {
    auto it = std::find_if(values_.begin(), values_.end(),
                           [&](const RegValue& value) { return EqualsNoCase(value.name, name); });
    if (it == values_.end()) {
        return false;
    }
    values_.erase(it);
    return true;
}

const RegKey* RegKey::Find(const std::vector<std::string>& path) const {
    const RegKey* key = this;
    for (const std::string& part : path) {
        key = key->FindChild(part);
        if (key == nullptr) {
            return nullptr;
        }
    }
    return key;
}

RegKey* RegKey::Find(const std::vector<std::string>& path) {
    return const_cast<RegKey*>(static_cast<const RegKey*>(this)->Find(path));
}

bool RegKey::operator==(const RegKey& other) const {
    if (name_ != other.name_ || values_.size() != other.values_.size() ||
        children_ != other.children_) {
        return false;
    }
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const RegValue& a = values_[i];
        const RegValue& b = other.values_[i];
        if (a.name != b.name || a.type != b.type || a.data != b.data) {
            return false;
        }
    }
    return true;
}

// ---- reading --------------------------------------------------------------------------------

namespace {

bool IsStringType(win::DWORD type) {
    return type == win::REG_SZ || type == win::REG_EXPAND_SZ || type == win::REG_MULTI_SZ;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = AsciiLower(c);
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool OnlyBlanks(std::string_view text) {
    return Trim(text).empty();
}

// Bytes as one character each: UTF-16LE input becomes the ANSI text it stands for (characters
// beyond Latin-1 read as '?'); other input is taken as it is.
bool DecodeText(std::string_view bytes, std::string& text, RegParseError& error) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        if (bytes.size() % 2 != 0) {
            error = {0, "a UTF-16 file of odd length"};
            return false;
        }
        text.clear();
        text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const unsigned unit = static_cast<unsigned char>(bytes[i]) |
                                  (static_cast<unsigned>(static_cast<unsigned char>(bytes[i + 1]))
                                   << 8);
            text.push_back(unit < 256 ? static_cast<char>(unit) : '?');
        }
        return true;
    }
    if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
        static_cast<unsigned char>(bytes[1]) == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF) {
        bytes.remove_prefix(3);
    }
    text.assign(bytes);
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// A quoted text starting at text[pos] == '"': `\\` and `\"` are escapes; any other backslash
// stands for itself. pos ends after the closing quote.
bool ReadQuoted(std::string_view text, std::size_t& pos, std::string& out) {
    out.clear();
    ++pos;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '\\' && pos + 1 < text.size() && (text[pos + 1] == '\\' || text[pos + 1] == '"')) {
            out.push_back(text[pos + 1]);
            pos += 2;
        } else if (c == '"') {
            ++pos;
            return true;
        } else {
            out.push_back(c);
            ++pos;
        }
    }
    return false;
}

bool ParseHexBytes(std::string_view text, std::vector<std::uint8_t>& out, std::string& why) {
    out.clear();
    std::size_t pos = 0;
    bool expectByte = true;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == ' ' || c == '\t') {
            ++pos;
            continue;
        }
        if (c == ',') {
            if (expectByte) {
                why = "an empty byte in hex data";
                return false;
            }
            expectByte = true;
            ++pos;
            continue;
        }
        if (!expectByte) {
            why = "a comma is missing between hex bytes";
            return false;
        }
        int value = 0;
        int digits = 0;
        while (pos < text.size() && HexDigit(text[pos]) >= 0 && digits < 2) {
            value = value * 16 + HexDigit(text[pos]);
            ++digits;
            ++pos;
        }
        if (digits == 0) {
            why = std::string("\"") + c + "\" is not a hex digit";
            return false;
        }
        out.push_back(static_cast<std::uint8_t>(value));
        expectByte = false;
    }
    return true;
}

// UTF-16LE bytes of a 5.00 file become the ANSI bytes the A functions see.
std::vector<std::uint8_t> NarrowUtf16(const std::vector<std::uint8_t>& data) {
    if (data.size() % 2 != 0) {
        return data;
    }
    std::vector<std::uint8_t> narrow;
    narrow.reserve(data.size() / 2);
    for (std::size_t i = 0; i < data.size(); i += 2) {
        const unsigned unit = data[i] | (static_cast<unsigned>(data[i + 1]) << 8);
        narrow.push_back(unit < 256 ? static_cast<std::uint8_t>(unit) : '?');
    }
    return narrow;
}

class Importer {
  public:
    Importer(std::string_view rootName, RegKey& root, RegParseError& error)
        : rootName_(rootName), root_(root), error_(error) {}

    bool Run(std::string_view bytes) {
        std::string text;
        if (!DecodeText(bytes, text, error_)) {
            return false;
        }
        const std::vector<std::string_view> lines = SplitLines(text);
        std::size_t i = 0;
        while (i < lines.size() && OnlyBlanks(lines[i])) {
            ++i;
        }
        if (i == lines.size()) {
            return Fail(0, "the file is empty (no REGEDIT4 or Windows Registry Editor header)");
        }
        const std::string_view header = Trim(lines[i]);
        if (header == RegFile::kHeader5) {
            unicodeStrings_ = true;
        } else if (header != RegFile::kHeader4) {
            return Fail(i + 1, "expected the header \"Windows Registry Editor Version 5.00\" or "
                               "\"REGEDIT4\"");
        }
        for (++i; i < lines.size(); ++i) {
            std::string_view line = Trim(lines[i]);
            const std::size_t lineNumber = i + 1;
            if (line.empty() || line.front() == ';') {
                continue;
            }
            if (line.front() == '[') {
                if (!KeyLine(line, lineNumber)) {
                    return false;
                }
                continue;
            }
            if (line.front() != '"' && line.front() != '@') {
                return Fail(lineNumber, "expected [key], \"name\"=, @= or a ; comment");
            }
            // A value's data may go on over lines that end with a backslash.
            std::string joined(line);
            while (!joined.empty() && joined.back() == '\\' && IsHexContinuation(joined) &&
                   i + 1 < lines.size()) {
                joined.pop_back();
                ++i;
                joined += std::string(Trim(lines[i]));
            }
            if (!ValueLine(joined, lineNumber)) {
                return false;
            }
        }
        return true;
    }

  private:
    bool Fail(std::size_t line, std::string message) {
        error_ = {line, std::move(message)};
        return false;
    }

    // A trailing backslash continues a line only in hex data (a string may end in one).
    static bool IsHexContinuation(std::string_view line) {
        const std::size_t eq = line.find("=hex");
        if (eq == std::string_view::npos) {
            return false;
        }
        // The '=' must follow the name, not sit inside a quoted name or string.
        std::size_t pos = 0;
        if (line.front() == '"') {
            std::string name;
            if (!ReadQuoted(line, pos, name)) {
                return false;
            }
        } else {
            pos = 1;
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
        if (pos >= line.size() || line[pos] != '=') {
            return false;
        }
        ++pos;
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
        return StartsWithNoCase(line.substr(pos), "hex");
    }

    bool KeyLine(std::string_view line, std::size_t lineNumber) {
        const std::size_t close = line.rfind(']');
        if (close == std::string_view::npos || close == 0) {
            return Fail(lineNumber, "a key line must end with ]");
        }
        if (!OnlyBlanks(line.substr(close + 1))) {
            return Fail(lineNumber, "text after the ] of a key line");
        }
        std::string_view path = line.substr(1, close - 1);
        bool remove = false;
        if (!path.empty() && path.front() == '-') {
            remove = true;
            path.remove_prefix(1);
        }
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (std::size_t j = 0; j <= path.size(); ++j) {
            if (j == path.size() || path[j] == '\\') {
                parts.emplace_back(path.substr(start, j - start));
                start = j + 1;
            }
        }
        if (parts.empty() || !EqualsNoCase(parts.front(), rootName_)) {
            return Fail(lineNumber, "the key \"" + std::string(path) + "\" is not under " +
                                        std::string(rootName_));
        }
        parts.erase(parts.begin());
        for (const std::string& part : parts) {
            if (part.empty()) {
                return Fail(lineNumber, "an empty key name in \"" + std::string(path) + "\"");
            }
        }
        if (remove) {
            current_ = nullptr;
            if (parts.empty()) {
                return Fail(lineNumber, "the root key cannot be deleted");
            }
            const std::string last = parts.back();
            parts.pop_back();
            if (RegKey* parent = root_.Find(parts)) {
                parent->RemoveChild(last);
            }
            return true;
        }
        RegKey* key = &root_;
        for (const std::string& part : parts) {
            key = &key->CreateChild(part);
        }
        current_ = key;
        inKey_ = true;
        return true;
    }

    bool ValueLine(std::string_view line, std::size_t lineNumber) {
        RegValue value;
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else if (!ReadQuoted(line, pos, value.name)) {
            return Fail(lineNumber, "the value name has no closing quote");
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
        if (pos >= line.size() || line[pos] != '=') {
            return Fail(lineNumber, "expected = after the value name");
        }
        ++pos;
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
        const std::string_view data = line.substr(pos);
        if (!inKey_) {
            return Fail(lineNumber, "a value before the first [key]");
        }
        if (Trim(data) == "-") {
            if (current_ != nullptr) {
                current_->RemoveValue(value.name);
            }
            return true;
        }
        if (!data.empty() && data.front() == '"') {
            std::size_t end = 0;
            std::string text;
            if (!ReadQuoted(data, end, text)) {
                return Fail(lineNumber, "the string has no closing quote");
            }
            if (!OnlyBlanks(data.substr(end))) {
                return Fail(lineNumber, "text after the closing quote of a string");
            }
            value.type = win::REG_SZ;
            value.data.assign(text.begin(), text.end());
            value.data.push_back(0);
        } else if (StartsWithNoCase(data, "dword:")) {
            const std::string_view digits = Trim(data.substr(6));
            if (digits.empty() || digits.size() > 8) {
                return Fail(lineNumber, "dword: takes 1 to 8 hex digits");
            }
            std::uint32_t number = 0;
            for (char c : digits) {
                if (HexDigit(c) < 0) {
                    return Fail(lineNumber, "dword: takes 1 to 8 hex digits");
                }
                number = number * 16 + static_cast<std::uint32_t>(HexDigit(c));
            }
            value.type = win::REG_DWORD;
            value.data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                          static_cast<std::uint8_t>(number >> 16),
                          static_cast<std::uint8_t>(number >> 24)};
        } else if (StartsWithNoCase(data, "hex")) {
            std::size_t at = 3;
            value.type = win::REG_BINARY;
            if (at < data.size() && data[at] == '(') {
                const std::size_t close = data.find(')', at);
                if (close == std::string_view::npos || close == at + 1 || close - at - 1 > 8) {
                    return Fail(lineNumber, "hex(N): needs a type number in hex");
                }
                std::uint32_t type = 0;
                for (std::size_t j = at + 1; j < close; ++j) {
                    if (HexDigit(data[j]) < 0) {
                        return Fail(lineNumber, "hex(N): needs a type number in hex");
                    }
                    type = type * 16 + static_cast<std::uint32_t>(HexDigit(data[j]));
                }
                value.type = type;
                at = close + 1;
            }
            if (at >= data.size() || data[at] != ':') {
                return Fail(lineNumber, "expected : after hex");
            }
            std::string why;
            std::string_view bytes = data.substr(at + 1);
            while (!bytes.empty() && (bytes.back() == ',' || bytes.back() == ' ')) {
                bytes.remove_suffix(1);  // a trailing comma before the end is tolerated
            }
            if (!ParseHexBytes(bytes, value.data, why)) {
                return Fail(lineNumber, why);
            }
            if (unicodeStrings_ && IsStringType(value.type)) {
                value.data = NarrowUtf16(value.data);
            }
        } else {
            return Fail(lineNumber, "expected \"text\", dword:, hex: or hex(N): after =");
        }
        if (current_ != nullptr) {
            current_->SetValue(std::move(value));
        }
        return true;
    }

    std::string_view rootName_;
    RegKey& root_;
    RegParseError& error_;
    RegKey* current_ = nullptr;  // nullptr after [-KEY]: its values are ignored
    bool inKey_ = false;
    bool unicodeStrings_ = false;  // 5.00 files hold hex string data as UTF-16LE
};

// ---- writing --------------------------------------------------------------------------------

std::string Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    return out;
}

// A REG_SZ is written as "text" when that reads back to the same bytes.
bool WritableAsString(const RegValue& value) {
    if (value.type != win::REG_SZ || value.data.empty() || value.data.back() != 0) {
        return false;
    }
    for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
        const std::uint8_t c = value.data[i];
        if (c == 0 || c == '\r' || c == '\n') {
            return false;
        }
    }
    return true;
}

std::string HexType(win::DWORD type) {
    static const char* const kDigits = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[type % 16]);
        type /= 16;
    } while (type != 0);
    return digits;
}

void WriteKey(const RegKey& key, const std::string& path, bool isRoot, std::string& out) {
    if (!isRoot || !key.Values().empty()) {
        out += "\r\n[" + path + "]\r\n";
        for (const RegValue& value : key.Values()) {
            out += RegFile::FormatValueLine(value);
            out += "\r\n";
        }
    }
    for (const RegKey& child : key.Children()) {
        WriteKey(child, path + "\\" + child.Name(), false, out);
    }
}

}  // namespace

std::string RegFile::FormatValueLine(const RegValue& value) {
    std::string line = value.name.empty() ? "@=" : "\"" + Escape(value.name) + "\"=";
    if (WritableAsString(value)) {
        const std::string text(value.data.begin(), value.data.end() - 1);
        return line + "\"" + Escape(text) + "\"";
    }
    if (value.type == win::REG_DWORD && value.data.size() == 4) {
        const std::uint32_t number = value.data[0] | (static_cast<std::uint32_t>(value.data[1]) << 8) |
                                     (static_cast<std::uint32_t>(value.data[2]) << 16) |
                                     (static_cast<std::uint32_t>(value.data[3]) << 24);
        char digits[9];
        static const char* const kDigits = "0123456789abcdef";
        for (int i = 0; i < 8; ++i) {
            digits[i] = kDigits[(number >> (28 - 4 * i)) & 0xF];
        }
        digits[8] = '\0';
        return line + "dword:" + digits;
    }
    std::vector<std::uint8_t> bytes = value.data;
    if (IsStringType(value.type)) {  // 5.00 files hold string data as UTF-16LE
        bytes.clear();
        for (std::uint8_t c : value.data) {
            bytes.push_back(c);
            bytes.push_back(0);
        }
    }
    line += value.type == win::REG_BINARY ? "hex:" : "hex(" + HexType(value.type) + "):";
    // After a comma, once the line has reached 77 columns, wrap with a backslash and go on two
    // blanks in, as regedit does.
    static const char* const kDigits = "0123456789abcdef";
    std::size_t column = line.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        line.push_back(kDigits[bytes[i] >> 4]);
        line.push_back(kDigits[bytes[i] & 0xF]);
        column += 2;
        if (i + 1 == bytes.size()) {
            break;
        }
        line.push_back(',');
        ++column;
        if (column >= 77) {
            line += "\\\r\n  ";
            column = 2;
        }
    }
    return line;
}

bool RegFile::Import(std::string_view bytes, std::string_view rootName, RegKey& root,
                     RegParseError& error) {
    RegKey work = root;
    Importer importer(rootName, work, error);
    if (!importer.Run(bytes)) {
        return false;
    }
    root = std::move(work);
    return true;
}

bool RegFile::Parse(std::string_view bytes, std::string_view rootName, RegKey& root,
                    RegParseError& error) {
    RegKey fresh{std::string(rootName)};
    if (!Import(bytes, rootName, fresh, error)) {
        return false;
    }
    root = std::move(fresh);
    return true;
}

std::string RegFile::Write(const RegKey& root, std::string_view rootName) {
    std::string out = std::string(kHeader5) + "\r\n";
    WriteKey(root, std::string(rootName), true, out);
    out += "\r\n";
    return out;
}

}  // namespace winsim
