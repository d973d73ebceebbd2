// A simulated Windows PC is a directory (the machine). Its settings file `machine.ini` says which
// Windows family it plays, where its drives are and which devices are loaded; this class reads
// and writes that file and maps Windows paths onto host paths, as Windows resolves them.
// docs/machine.md describes the layout and every key.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32_types.h"

namespace winsim {

enum class Family { Nt, Win9x };

std::string_view FamilyName(Family family);  // "nt" or "9x"
std::optional<Family> ParseFamily(std::string_view text);

enum class DriveKind { Absent, Removable, Fixed, CdRom };

std::string_view DriveKindName(DriveKind kind);  // "absent", "removable", "fixed", "cdrom"
std::optional<DriveKind> ParseDriveKind(std::string_view text);
win::UINT DriveTypeCode(DriveKind kind);  // the GetDriveTypeA value

struct DriveSettings {
    std::string folder;  // as written: relative to the machine directory, or absolute
    DriveKind kind = DriveKind::Fixed;
};

struct DeviceSettings {
    std::string library;  // host path of the driver's shared library
    Family family = Family::Nt;
};

// The content of machine.ini. Unknown keys are kept so that a newer tool's keys survive a save.
struct MachineSettings {
    Family family = Family::Nt;
    std::string windowsDir = "C:\\WINDOWS";
    std::string systemDir = "C:\\WINDOWS\\SYSTEM32";
    std::uint32_t bootId = 0;
    std::uint64_t bootTickBase = 0;  // host monotonic ms at the last boot (0: none)
    std::map<char, DriveSettings> drives;               // upper-case letter
    std::map<std::string, DeviceSettings> devices;      // name as written
    std::vector<std::pair<std::string, std::string>> extra;  // unknown keys, in order

    // Parses key=value lines; `;` and `#` start comments. False with a message naming the line.
    static bool Parse(std::string_view text, MachineSettings& out, std::string& error);
    std::string ToText() const;

    const DeviceSettings* FindDevice(std::string_view name) const;  // case-insensitive
    std::string ExtraValue(std::string_view key) const;             // "" when absent
    void SetExtraValue(const std::string& key, const std::string& value);

    // The system folder a family has under a Windows folder.
    static std::string DefaultSystemDir(Family family, std::string_view windowsDir);
};

// Where a Windows path lands on the host.
struct HostPath {
    std::filesystem::path path;  // the host path (existing components with their real names)
    bool exists = false;         // the last component exists
    bool isDirectory = false;
    bool isDriveRoot = false;
    char drive = 0;          // upper-case drive letter
    std::string leafName;    // the last component as found (or as given when new)
};

class Machine {
  public:
    // The machine directory the environment chooses: $HALVERN_MACHINE, else
    // $HOME/.local/share/halvern/machine; with no HOME, the home folder of the user's account,
    // else /tmp/halvern-machine-<uid>. `note` receives a sentence saying which fallback was taken.
    static std::filesystem::path DefaultDirectory(std::string* note = nullptr);

    // Opens an existing machine. Empty optional and a message when the folder or its settings
    // file is missing or malformed.
    static std::optional<Machine> Open(const std::filesystem::path& dir, std::string& error);

    // Creates the bare layout of a new machine in `dir` (which may exist; its settings file is
    // replaced): drives C: (fixed, drives/c) and A: (removable, drives/a, empty: no disk), the
    // Windows folder and the family's system folder on C:, empty registry hives, and the
    // devices and log folders. What a setup program installs is added by the machine tool.
    static std::optional<Machine> Create(const std::filesystem::path& dir, Family family,
                                         std::string& error);

    // A machine over a directory with the given settings (nothing is written until Save()).
    Machine(std::filesystem::path dir, MachineSettings settings);

    const std::filesystem::path& Directory() const { return dir_; }
    const MachineSettings& Settings() const { return settings_; }
    MachineSettings& MutableSettings() { return settings_; }
    bool Save(std::string& error) const;  // rewrites machine.ini beside itself atomically

    std::filesystem::path SettingsFile() const { return dir_ / "machine.ini"; }
    std::filesystem::path RegistryDirectory() const { return dir_ / "registry"; }
    std::filesystem::path DeviceDirectory() const { return dir_ / "devices"; }
    std::filesystem::path LogDirectory() const { return dir_ / "log"; }

    // The host folder of a drive (absolute), or empty when the drive is not defined or absent.
    std::filesystem::path DriveFolder(char letter) const;
    DriveKind DriveKindOf(char letter) const;
    // A removable drive whose folder is missing or empty has no disk in it. A blank disk is a
    // folder holding only the marker file kBlankDiskMarker, which listings never show.
    bool DriveHasMedia(char letter) const;
    static constexpr const char* kBlankDiskMarker = ".halvern-disk";
    // Puts a blank disk into a removable drive (creates its folder and the marker).
    bool InsertBlankDisk(char letter, std::string& error) const;

    // Resolves a Windows path. `currentDir` (a Windows path) completes relative paths.
    // Returns a Win32 error: 0; ERROR_PATH_NOT_FOUND when a folder on the way is missing or the
    // drive does not exist; ERROR_NOT_READY for a removable drive without a disk;
    // ERROR_INVALID_NAME for wildcards or forbidden characters (unless allowWildcardLeaf,
    // which lets the last component carry * and ?). A missing last component is not an error:
    // `exists` says whether it is there.
    win::DWORD Resolve(std::string_view windowsPath, std::string_view currentDir, HostPath& out,
                       bool allowWildcardLeaf = false) const;

    // Normalizes a Windows path: absolute, backslashes, "." and ".." applied, no trailing
    // backslash except for a drive root. Returns false for a path without a usable drive.
    static bool Normalize(std::string_view windowsPath, std::string_view currentDir,
                          std::string& out);

  private:
    std::filesystem::path dir_;
    MachineSettings settings_;
};

}  // namespace winsim
