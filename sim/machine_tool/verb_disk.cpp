// halvern-machine disk: puts a floppy disk into a removable drive or takes it out. A disk is a
// host folder; the drive shows the folder's files while the disk is in. An empty folder reads
// as no disk, so a blank disk holds one label file.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "sim/machine_tool/verbs.h"

namespace halvern_machine {
namespace {

namespace fs = std::filesystem;

constexpr char kLabelFile[] = "DISK.TXT";
constexpr char kLabelText[] = "A floppy disk of a simulated PC.\r\n";

bool IsEmptyFolder(const fs::path& folder) {
    std::error_code ec;
    return !fs::exists(folder, ec) || fs::is_empty(folder, ec);
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

// The machine's own folder of the drive (drives/a): the drive points there while it is empty.
std::string OwnFolder(char letter) {
    return std::string("drives/") + static_cast<char>(std::tolower(letter));
}

// A fresh folder disks/diskN of the machine, for a blank disk or the files of an ejected one.
std::string NewDiskFolder(const winsim::Machine& machine) {
    for (int n = 1;; ++n) {
        const std::string relative = "disks/disk" + std::to_string(n);
        std::error_code ec;
        if (!fs::exists(machine.Directory() / relative, ec)) {
            return relative;
        }
    }
}

bool WriteLabel(const fs::path& folder, std::string& error) {
    std::ofstream label(folder / kLabelFile, std::ios::binary);
    label << kLabelText;
    if (!label.flush()) {
        error = "cannot write " + (folder / kLabelFile).string();
        return false;
    }
    return true;
}

// Points the drive at its own empty folder. Files found there (a disk that was made in the
// drive's own folder) move to disks/diskN first, so that ejecting never loses a disk.
bool Eject(winsim::Machine& machine, char letter, std::string& error) {
    const fs::path current = machine.DriveFolder(letter);
    const fs::path own = machine.Directory() / OwnFolder(letter);
    std::error_code ec;
    if (!IsEmptyFolder(own)) {
        const std::string kept = NewDiskFolder(machine);
        fs::create_directories((machine.Directory() / kept).parent_path(), ec);
        fs::rename(own, machine.Directory() / kept, ec);
        if (ec) {
            error = "cannot move " + own.string() + " aside: " + ec.message();
            return false;
        }
        std::printf("The disk's files are kept in %s\n", (machine.Directory() / kept).c_str());
    } else if (!machine.DriveHasMedia(letter)) {
        std::printf("Drive %c: holds no disk\n", letter);
    } else {
        std::printf("Ejected the disk %s from drive %c:\n", current.c_str(), letter);
    }
    fs::create_directories(own, ec);
    if (ec) {
        error = "cannot create " + own.string() + ": " + ec.message();
        return false;
    }
    machine.MutableSettings().drives[letter] = {OwnFolder(letter), winsim::DriveKind::Removable};
    return true;
}

bool Insert(winsim::Machine& machine, char letter, const std::string& folderArgument,
            std::string& error) {
    std::string setting;
    fs::path folder;
    if (folderArgument.empty()) {
        setting = NewDiskFolder(machine);
        folder = machine.Directory() / setting;
    } else {
        folder = fs::absolute(folderArgument);
        setting = folder.string();
    }
    if (machine.DriveHasMedia(letter) && SameFolder(machine.DriveFolder(letter), folder)) {
        std::printf("Drive %c: already holds the disk %s\n", letter, folder.c_str());
        return true;
    }
    if (machine.DriveHasMedia(letter) && !Eject(machine, letter, error)) {
        return false;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) {
        error = "cannot use " + folder.string() + " as a disk: not a folder";
        return false;
    }
    if (IsEmptyFolder(folder) && !WriteLabel(folder, error)) {
        return false;
    }
    machine.MutableSettings().drives[letter] = {setting, winsim::DriveKind::Removable};
    std::printf("Inserted the disk %s into drive %c:\n", folder.c_str(), letter);
    return true;
}

int RunDisk(const Arguments& args) {
    if (args.empty() || (args[0] != "insert" && args[0] != "eject")) {
        return UsageError("disk", "say insert or eject");
    }
    const bool insert = args[0] == "insert";
    if (args.size() < 2 || args[1].size() != 1 ||
        !std::isalpha(static_cast<unsigned char>(args[1][0]))) {
        return UsageError("disk",
                          "name the drive by its letter, for example: disk " + args[0] + " a");
    }
    if (args.size() > (insert ? 3u : 2u)) {
        return UsageError("disk", "unexpected \"" + args.back() + "\"");
    }
    std::optional<winsim::Machine> machine = OpenMachine();
    if (!machine) {
        return kExitFailed;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(args[1][0])));
    if (machine->DriveKindOf(letter) != winsim::DriveKind::Removable) {
        return Failure(std::string("drive ") + letter + ": is not a removable drive");
    }
    std::string error;
    const bool done = insert ? Insert(*machine, letter, args.size() == 3 ? args[2] : "", error)
                             : Eject(*machine, letter, error);
    if (!done || !machine->Save(error)) {
        return Failure(error);
    }
    return kExitOk;
}

}  // namespace

extern const Verb kDiskVerb = {
    "disk", "put a floppy disk into drive A: or take it out",
    "Usage: halvern-machine disk insert a [FOLDER]\n"
    "       halvern-machine disk eject a\n"
    "insert puts the disk FOLDER (a host folder, created when missing) into drive A:; without\n"
    "FOLDER a new blank disk is made in the machine's disks/ folder. A disk already in the drive\n"
    "is ejected first. An empty folder reads as no disk, so an empty FOLDER gets a label file.\n"
    "eject takes the disk out: the drive shows no disk until the next insert. The disk's files\n"
    "stay in its folder, so it can be inserted into another machine.\n",
    RunDisk};

}  // namespace halvern_machine
