#include "sim/machine_tool/machine_setup.h"

#include <sys/stat.h>

#include <system_error>

#include "platform/sim/host_file.h"
#include "platform/sim/registry_hives.h"
#include "platform/sim/text.h"

namespace halvern_machine {
namespace fs = std::filesystem;

const std::vector<LauncherEntry>& Launchers() {
    // The host program names are the executables the build puts into the bin folder.
    static const std::vector<LauncherEntry> kLaunchers = {
        {"C:\\Program Files\\Halvern\\halvgate.exe", "halvgate"},
        {"C:\\Program Files\\Halvern\\halvask.exe", "halvask"},
        {"C:\\Program Files\\Halvern\\halvidle.exe", "halvidle"},
        {"C:\\Program Files\\Halvern\\hvcheck.exe", "hvcheck"},
        {"C:\\Program Files\\Halvern\\uninst.exe", "halvern-uninstaller"},
        {"C:\\WINDOWS\\notepad.exe", "halvern-notepad"},
        {kBrowserPath, "halvern-browser"},
    };
    return kLaunchers;
}

namespace {

std::string ShellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::vector<std::uint8_t> StringValue(const std::string& text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);  // REG_SZ with its terminator, as the setup program writes it
    return data;
}

bool SetString(const winsim::RegistryHives& hives, winsim::Hive hive, const std::string& keyPath,
               const std::string& name, const std::string& text, std::string& error) {
    const win::DWORD result =
        hives.Update(hive, [&](winsim::RegKey& root, bool& changed) -> win::DWORD {
            winsim::RegKey* key = &root;
            for (const std::string& part : winsim::SplitPath(keyPath, "\\")) {
                key = &key->CreateChild(part);
            }
            key->SetValue(winsim::RegValue{name, win::REG_SZ, StringValue(text)});
            changed = true;
            return win::ERROR_SUCCESS;
        });
    if (result != win::ERROR_SUCCESS) {
        error = "cannot write the registry value " + keyPath + "\\" + name + " (error " +
                std::to_string(result) + ")";
        return false;
    }
    return true;
}

bool CreateKey(const winsim::RegistryHives& hives, winsim::Hive hive, const std::string& keyPath,
               std::string& error) {
    const win::DWORD result =
        hives.Update(hive, [&](winsim::RegKey& root, bool& changed) -> win::DWORD {
            winsim::RegKey* key = &root;
            for (const std::string& part : winsim::SplitPath(keyPath, "\\")) {
                key = &key->CreateChild(part);
            }
            changed = true;
            return win::ERROR_SUCCESS;
        });
    if (result != win::ERROR_SUCCESS) {
        error = "cannot create the registry key " + keyPath + " (error " + std::to_string(result) +
                ")";
        return false;
    }
    return true;
}

}  // namespace

std::string LauncherScript(const std::string& machinePath, const fs::path& hostProgram) {
    const std::string program = ShellQuote(hostProgram.string());
    return "#!/bin/sh\n"
           "# " + machinePath + " of a Halvern machine: starts the host program behind it.\n"
           "program=" + program + "\n"
           "if [ ! -x \"$program\" ]; then\n"
           "    printf '%s%s%s\\n' \"halvern: $program is not built, so \" " + ShellQuote(machinePath) +
           " \" cannot start\" >&2\n"
           "    exit 127\n"
           "fi\n"
           "exec \"$program\" \"$@\"\n";
}

bool HostPathForNew(const winsim::Machine& machine, const std::string& windowsPath, fs::path& out,
                    std::string& error) {
    std::string normal;
    if (!winsim::Machine::Normalize(windowsPath, "C:\\", normal)) {
        error = "not a Windows path: " + windowsPath;
        return false;
    }
    const std::vector<std::string> parts = winsim::SplitPath(normal.substr(2), "\\");
    std::string prefix = normal.substr(0, 2);
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        prefix += "\\" + parts[i];
        winsim::HostPath where;
        const win::DWORD result = machine.Resolve(prefix, "C:\\", where);
        if (result != win::ERROR_SUCCESS) {
            error = "cannot reach " + prefix + " (error " + std::to_string(result) + ")";
            return false;
        }
        if (!where.exists) {
            std::error_code ec;
            fs::create_directory(where.path, ec);
            if (ec) {
                error = "cannot create " + where.path.string() + ": " + ec.message();
                return false;
            }
        }
    }
    winsim::HostPath where;
    const win::DWORD result = machine.Resolve(normal, "C:\\", where);
    if (result != win::ERROR_SUCCESS) {
        error = "cannot reach " + normal + " (error " + std::to_string(result) + ")";
        return false;
    }
    out = where.path;
    return true;
}

bool WriteLauncher(const winsim::Machine& machine, const std::string& machinePath,
                   const fs::path& hostProgram, std::string& error) {
    fs::path host;
    if (!HostPathForNew(machine, machinePath, host, error) ||
        !winsim::ReplaceFile(host, LauncherScript(machinePath, hostProgram), error)) {
        return false;
    }
    ::chmod(host.c_str(), 0755);
    return true;
}

bool InstallSuite(winsim::Machine& machine, const fs::path& binDir,
                  std::vector<std::string>& notes, std::string& error) {
    for (const LauncherEntry& entry : Launchers()) {
        const fs::path program = binDir / entry.hostProgram;
        if (!WriteLauncher(machine, entry.machinePath, program, error)) {
            return false;
        }
        std::error_code ec;
        if (!fs::exists(program, ec)) {
            notes.push_back(std::string(entry.machinePath) + ": " + program.string() +
                            " is not built yet; its launcher is written anyway");
        }
    }

    const winsim::Family family = machine.Settings().family;
    const winsim::RegistryHives hives(machine.RegistryDirectory());
    if (!SetString(hives, winsim::Hive::LocalMachine, kServiceKey, "ApplicationPath", kInstallDir,
                   error)) {
        return false;
    }
    if (family == winsim::Family::Win9x &&
        (!CreateKey(hives, winsim::Hive::LocalMachine, kVxdKey, error) ||
         !SetString(hives, winsim::Hive::LocalMachine, kVxdKey, "ApplicationPath", kInstallDir,
                    error))) {
        return false;
    }
    if (!SetString(hives, winsim::Hive::ClassesRoot, "http\\shell\\open\\command", "",
                   std::string("\"") + kBrowserPath + "\"", error)) {
        return false;
    }

    // The protection driver of the family, listed as loaded.
    winsim::MachineSettings& settings = machine.MutableSettings();
    if (family == winsim::Family::Nt) {
        settings.devices["Halvgate"] = {(binDir / "libhalvern_nt_driver.so").string(),
                                        winsim::Family::Nt};
    } else {
        settings.devices["nolx"] = {(binDir / "libhalvern_9x_driver.so").string(),
                                    winsim::Family::Win9x};
    }

    // The activation helper and the request-slot library, when they are built.
    for (const auto& [built, installed] : {std::pair<const char*, const char*>{"libzuvud.so", "zuvud.dll"},
                                           {"libqtdrv.so", "qtdrv.dll"}}) {
        const fs::path source = binDir / built;
        const std::string target = winsim::JoinWindowsPath(settings.systemDir, installed);
        std::error_code ec;
        if (!fs::exists(source, ec)) {
            notes.push_back(target + ": " + source.string() + " is not built yet; not installed");
            continue;
        }
        fs::path host;
        if (!HostPathForNew(machine, target, host, error)) {
            return false;
        }
        fs::copy_file(source, host, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            error = "cannot copy " + source.string() + " to " + host.string() + ": " + ec.message();
            return false;
        }
    }
    return machine.Save(error);
}

}  // namespace halvern_machine
