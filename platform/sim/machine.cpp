#include "platform/sim/machine.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/sim/host_file.h"
#include "platform/sim/reg_file.h"
#include "platform/sim/text.h"

namespace winsim {
namespace fs = std::filesystem;

std::string_view FamilyName(Family family) {
    return family == Family::Nt ? "nt" : "9x";
}

std::optional<Family> ParseFamily(std::string_view text) {
    if (EqualsNoCase(text, "nt")) {
        return Family::Nt;
    }
    if (EqualsNoCase(text, "9x")) {
        return Family::Win9x;
    }
    return std::nullopt;
}

std::string_view DriveKindName(DriveKind kind) {
    switch (kind) {
        case DriveKind::Absent:
            return "absent";
        case DriveKind::Removable:
            return "removable";
        case DriveKind::Fixed:
            return "fixed";
        case DriveKind::CdRom:
            return "cdrom";
    }
    return "absent";
}

std::optional<DriveKind> ParseDriveKind(std::string_view text) {
    for (DriveKind kind :
         {DriveKind::Absent, DriveKind::Removable, DriveKind::Fixed, DriveKind::CdRom}) {
        if (EqualsNoCase(text, DriveKindName(kind))) {
            return kind;
        }
    }
    return std::nullopt;
}

win::UINT DriveTypeCode(DriveKind kind) {
    switch (kind) {
        case DriveKind::Absent:
            return win::DRIVE_NO_ROOT_DIR;
        case DriveKind::Removable:
            return win::DRIVE_REMOVABLE;
        case DriveKind::Fixed:
            return win::DRIVE_FIXED;
        case DriveKind::CdRom:
            return win::DRIVE_CDROM;
    }
    return win::DRIVE_NO_ROOT_DIR;
}

// ---- machine.ini ----------------------------------------------------------------------------

namespace {

bool ParseUnsigned(std::string_view text, std::uint64_t& out) {
    if (text.empty() || text.size() > 19) {
        return false;
    }
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    out = value;
    return true;
}

bool HasSuffix(std::string_view text, std::string_view suffix) {
    return text.size() > suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace

std::string MachineSettings::DefaultSystemDir(Family family, std::string_view windowsDir) {
    std::string dir(windowsDir);
    if (!dir.empty() && dir.back() != '\\') {
        dir += '\\';
    }
    return dir + (family == Family::Nt ? "SYSTEM32" : "SYSTEM");
}

bool MachineSettings::Parse(std::string_view text, MachineSettings& out, std::string& error) {
    MachineSettings settings;
    settings.drives.clear();
    std::map<std::string, std::string> deviceFamilies;
    bool systemGiven = false;
    std::size_t lineNumber = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNumber;
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            if (end == text.size()) {
                break;
            }
            continue;
        }
        const std::size_t eq = line.find('=');
        const auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        };
        if (eq == std::string_view::npos) {
            return fail("expected key=value, found \"" + std::string(line) + "\"");
        }
        const std::string key(Trim(line.substr(0, eq)));
        const std::string value(Trim(line.substr(eq + 1)));
        if (key == "family") {
            const auto family = ParseFamily(value);
            if (!family) {
                return fail("family must be nt or 9x, found \"" + value + "\"");
            }
            settings.family = *family;
        } else if (key == "windows") {
            settings.windowsDir = value;
        } else if (key == "system") {
            settings.systemDir = value;
            systemGiven = true;
        } else if (key == "boot.id" || key == "boot.tick") {
            std::uint64_t number = 0;
            if (!ParseUnsigned(value, number)) {
                return fail(key + " must be a number, found \"" + value + "\"");
            }
            if (key == "boot.id") {
                settings.bootId = static_cast<std::uint32_t>(number);
            } else {
                settings.bootTickBase = number;
            }
        } else if (key.rfind("drive.", 0) == 0 && (key.size() == 7 || key.size() == 12)) {
            const char letter = AsciiUpper(key[6]);
            if (letter < 'A' || letter > 'Z') {
                return fail("drive letters are A to Z, found \"" + key + "\"");
            }
            if (key.size() == 7) {
                settings.drives[letter].folder = value;
            } else if (key.substr(7) == ".type") {
                const auto kind = ParseDriveKind(value);
                if (!kind) {
                    return fail("a drive type is fixed, removable, cdrom or absent, found \"" +
                                value + "\"");
                }
                settings.drives[letter].kind = *kind;
            } else {
                return fail("unknown key \"" + key + "\"");
            }
        } else if (key.rfind("device.", 0) == 0 && key.size() > 7) {
            if (HasSuffix(key, ".family")) {
                deviceFamilies[key.substr(7, key.size() - 7 - 7)] = value;
            } else {
                settings.devices[key.substr(7)].library = value;
            }
        } else {
            settings.extra.emplace_back(key, value);
        }
        if (end == text.size()) {
            break;
        }
    }
    for (auto& [name, device] : settings.devices) {
        device.family = settings.family;
    }
    for (const auto& [name, familyText] : deviceFamilies) {
        const auto family = ParseFamily(familyText);
        auto device = settings.devices.find(name);
        if (device == settings.devices.end()) {
            error = "device." + name + ".family is given but device." + name + " is not";
            return false;
        }
        if (!family) {
            error = "device." + name + ".family must be nt or 9x, found \"" + familyText + "\"";
            return false;
        }
        device->second.family = *family;
    }
    if (!systemGiven) {
        settings.systemDir = DefaultSystemDir(settings.family, settings.windowsDir);
    }
    out = std::move(settings);
    return true;
}

std::string MachineSettings::ToText() const {
    std::string text;
    text += "; Halvern simulated Windows PC. Keys are described in docs/machine.md.\n";
    text += "family=" + std::string(FamilyName(family)) + "\n";
    text += "windows=" + windowsDir + "\n";
    text += "system=" + systemDir + "\n";
    text += "boot.id=" + std::to_string(bootId) + "\n";
    text += "boot.tick=" + std::to_string(bootTickBase) + "\n";
    for (const auto& [letter, drive] : drives) {
        const std::string key = std::string("drive.") + letter;
        text += key + "=" + drive.folder + "\n";
        text += key + ".type=" + std::string(DriveKindName(drive.kind)) + "\n";
    }
    for (const auto& [name, device] : devices) {
        text += "device." + name + "=" + device.library + "\n";
        text += "device." + name + ".family=" + std::string(FamilyName(device.family)) + "\n";
    }
    for (const auto& [key, value] : extra) {
        text += key + "=" + value + "\n";
    }
    return text;
}

const DeviceSettings* MachineSettings::FindDevice(std::string_view name) const {
    for (const auto& [deviceName, device] : devices) {
        if (EqualsNoCase(deviceName, name)) {
            return &device;
        }
    }
    return nullptr;
}

std::string MachineSettings::ExtraValue(std::string_view key) const {
    for (const auto& [k, v] : extra) {
        if (k == key) {
            return v;
        }
    }
    return {};
}

void MachineSettings::SetExtraValue(const std::string& key, const std::string& value) {
    for (auto& [k, v] : extra) {
        if (k == key) {
            v = value;
            return;
        }
    }
    extra.emplace_back(key, value);
}

// ---- the machine ----------------------------------------------------------------------------

fs::path Machine::DefaultDirectory(std::string* note) {
    const char* chosen = std::getenv("HALVERN_MACHINE");
    if (chosen != nullptr && *chosen != '\0') {
        std::error_code ec;
        fs::path path = fs::absolute(chosen, ec);
        return ec ? fs::path(chosen) : path;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return fs::path(home) / ".local/share/halvern/machine";
    }
    const passwd* account = ::getpwuid(::getuid());
    if (account != nullptr && account->pw_dir != nullptr && account->pw_dir[0] != '\0') {
        fs::path path = fs::path(account->pw_dir) / ".local/share/halvern/machine";
        if (note != nullptr) {
            *note = "HOME is not set; using the home folder of the account: " + path.string();
        }
        return path;
    }
    fs::path path = "/tmp/halvern-machine-" + std::to_string(::getuid());
    if (note != nullptr) {
        *note = "HOME is not set and the account has no home folder; using " + path.string();
    }
    return path;
}

std::optional<Machine> Machine::Open(const fs::path& dir, std::string& error) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        error = "there is no machine at " + dir.string() +
                "; create one with `halvern-machine init` (HALVERN_MACHINE chooses the folder)";
        return std::nullopt;
    }
    const fs::path settingsFile = dir / "machine.ini";
    const auto text = ReadWholeFile(settingsFile);
    if (!text) {
        error = dir.string() + " is not a machine (" + settingsFile.string() + ": " +
                std::strerror(errno) + "); create one with `halvern-machine init`";
        return std::nullopt;
    }
    MachineSettings settings;
    std::string why;
    if (!MachineSettings::Parse(*text, settings, why)) {
        error = settingsFile.string() + " " + why;
        return std::nullopt;
    }
    return Machine(dir, std::move(settings));
}

std::optional<Machine> Machine::Create(const fs::path& dir, Family family, std::string& error) {
    MachineSettings settings;
    settings.family = family;
    settings.systemDir = MachineSettings::DefaultSystemDir(family, settings.windowsDir);
    settings.drives['A'] = DriveSettings{"drives/a", DriveKind::Removable};
    settings.drives['C'] = DriveSettings{"drives/c", DriveKind::Fixed};
    Machine machine(dir, settings);
    std::error_code ec;
    const fs::path systemFolder = fs::path(std::string(family == Family::Nt ? "SYSTEM32" : "SYSTEM"));
    for (const fs::path& folder :
         {dir / "drives/a", dir / "drives/c/WINDOWS" / systemFolder, machine.RegistryDirectory(),
          machine.DeviceDirectory(), machine.LogDirectory()}) {
        fs::create_directories(folder, ec);
        if (ec) {
            error = "cannot create " + folder.string() + ": " + ec.message();
            return std::nullopt;
        }
    }
    for (const char* hive : {"HKLM.reg", "HKCR.reg"}) {
        const fs::path file = machine.RegistryDirectory() / hive;
        const char* root = hive[2] == 'L' ? "HKEY_LOCAL_MACHINE" : "HKEY_CLASSES_ROOT";
        if (!ReplaceFile(file, RegFile::Write(RegKey(root), root), error)) {
            return std::nullopt;
        }
    }
    if (!machine.Save(error)) {
        return std::nullopt;
    }
    return machine;
}

Machine::Machine(fs::path dir, MachineSettings settings)
    : dir_(std::move(dir)), settings_(std::move(settings)) {}

bool Machine::Save(std::string& error) const {
    return ReplaceFile(SettingsFile(), settings_.ToText(), error);
}

fs::path Machine::DriveFolder(char letter) const {
    const auto it = settings_.drives.find(AsciiUpper(letter));
    if (it == settings_.drives.end() || it->second.kind == DriveKind::Absent ||
        it->second.folder.empty()) {
        return {};
    }
    const fs::path folder(it->second.folder);
    return folder.is_absolute() ? folder : dir_ / folder;
}

DriveKind Machine::DriveKindOf(char letter) const {
    const auto it = settings_.drives.find(AsciiUpper(letter));
    return it == settings_.drives.end() ? DriveKind::Absent : it->second.kind;
}

bool Machine::DriveHasMedia(char letter) const {
    const DriveKind kind = DriveKindOf(letter);
    if (kind == DriveKind::Absent) {
        return false;
    }
    const fs::path folder = DriveFolder(letter);
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        return false;
    }
    if (kind == DriveKind::Fixed) {
        return true;
    }
    return fs::directory_iterator(folder, ec) != fs::directory_iterator();
}

bool Machine::InsertBlankDisk(char letter, std::string& error) const {
    const fs::path folder = DriveFolder(letter);
    if (folder.empty()) {
        error = std::string("drive ") + AsciiUpper(letter) + ": is not defined";
        return false;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    return ReplaceFile(folder / kBlankDiskMarker, "", error);
}

bool Machine::Normalize(std::string_view windowsPath, std::string_view currentDir,
                        std::string& out) {
    std::string path(windowsPath);
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    std::string base;  // an absolute Windows path the relative part continues
    std::string_view rest = path;
    if (rest.size() >= 2 && rest[1] == ':') {
        const char drive = AsciiUpper(rest[0]);
        if (drive < 'A' || drive > 'Z') {
            return false;
        }
        rest.remove_prefix(2);
        if (rest.empty() || rest.front() != '\\') {
            // "C:name" continues the current folder when it is on that drive.
            if (currentDir.size() >= 2 && AsciiUpper(currentDir[0]) == drive) {
                base = std::string(currentDir);
            } else {
                base = std::string(1, drive) + ":\\";
            }
        } else {
            base = std::string(1, drive) + ":\\";
        }
    } else if (!rest.empty() && rest.front() == '\\') {
        if (rest.size() >= 2 && rest[1] == '\\') {
            return false;  // UNC and device paths name no drive
        }
        if (currentDir.size() < 2 || currentDir[1] != ':') {
            return false;
        }
        base = std::string(1, AsciiUpper(currentDir[0])) + ":\\";
    } else {
        if (currentDir.size() < 2 || currentDir[1] != ':') {
            return false;
        }
        base = std::string(currentDir);
    }
    std::vector<std::string> parts;
    for (const std::string& part : SplitPath(std::string_view(base).substr(2), "\\/")) {
        parts.push_back(part);
    }
    for (const std::string& part : SplitPath(rest, "\\")) {
        parts.push_back(part);
    }
    std::vector<std::string> clean;
    for (const std::string& part : parts) {
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            if (!clean.empty()) {
                clean.pop_back();
            }
            continue;
        }
        clean.push_back(part);
    }
    out = std::string(1, AsciiUpper(base[0])) + ":";
    if (clean.empty()) {
        out += "\\";
    }
    for (const std::string& part : clean) {
        out += "\\" + part;
    }
    return true;
}

namespace {

bool IsForbiddenNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 32 || c == '<' || c == '>' || c == '"' || c == '|' || c == ':';
}

bool HasWildcard(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

// The real name of `name` inside `dir`: the exact name first, else the first entry equal to it
// without regard to case. Empty when there is none.
std::string FindEntry(const fs::path& dir, const std::string& name) {
    struct stat st {};
    if (::lstat((dir / name).c_str(), &st) == 0) {
        return name;
    }
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (EqualsNoCase(entry, name)) {
            return entry;
        }
    }
    return {};
}

}  // namespace

win::DWORD Machine::Resolve(std::string_view windowsPath, std::string_view currentDir,
                            HostPath& out, bool allowWildcardLeaf) const {
    out = HostPath{};
    std::string normal;
    if (windowsPath.empty() || !Normalize(windowsPath, currentDir, normal)) {
        return win::ERROR_PATH_NOT_FOUND;
    }
    const char drive = normal[0];
    out.drive = drive;
    const std::vector<std::string> parts = SplitPath(std::string_view(normal).substr(2), "\\");
    for (std::size_t i = 0; i < parts.size(); ++i) {
        for (char c : parts[i]) {
            if (IsForbiddenNameChar(c)) {
                return win::ERROR_INVALID_NAME;
            }
        }
        if (HasWildcard(parts[i]) && !(allowWildcardLeaf && i + 1 == parts.size())) {
            return win::ERROR_INVALID_NAME;
        }
    }
    const DriveKind kind = DriveKindOf(drive);
    if (kind == DriveKind::Absent) {
        return win::ERROR_PATH_NOT_FOUND;
    }
    if (!DriveHasMedia(drive)) {
        return kind == DriveKind::Fixed ? win::ERROR_PATH_NOT_FOUND : win::ERROR_NOT_READY;
    }
    fs::path host = DriveFolder(drive);
    if (parts.empty()) {
        out.path = host;
        out.exists = true;
        out.isDirectory = true;
        out.isDriveRoot = true;
        return win::ERROR_SUCCESS;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::string real = FindEntry(host, parts[i]);
        if (real.empty()) {
            return win::ERROR_PATH_NOT_FOUND;
        }
        host /= real;
        std::error_code ec;
        if (!fs::is_directory(host, ec)) {
            return win::ERROR_PATH_NOT_FOUND;
        }
    }
    const std::string& leaf = parts.back();
    std::string real = HasWildcard(leaf) ? std::string() : FindEntry(host, leaf);
    out.exists = !real.empty();
    out.leafName = out.exists ? real : leaf;
    out.path = host / out.leafName;
    if (out.exists) {
        std::error_code ec;
        out.isDirectory = fs::is_directory(out.path, ec);
    }
    return win::ERROR_SUCCESS;
}

}  // namespace winsim
