#include "tests/support/test_machine.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "platform/sim/host_file.h"
#include "platform/sim/text.h"
#include "sim/machine_tool/machine_setup.h"

namespace halvern_test {
namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fatal(const std::string& message) {
    throw std::runtime_error("test machine: " + message);
}

fs::path MakeTempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                          "/halvern-test-machine-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) {
        Fatal("cannot create a temporary folder");
    }
    return fs::path(buffer.data());
}

}  // namespace

fs::path TestMachine::BinDirectory() {
    const char* build = std::getenv("HALVERN_BUILD_DIR");
    if (build != nullptr && *build != '\0') {
        return fs::path(build) / "bin";
    }
    return fs::path(HALVERN_TEST_BIN_DIR);
}

TestMachine::TestMachine(winsim::Family family, Setup setup) : dir_(MakeTempDir() / "machine") {
    std::string error;
    std::optional<winsim::Machine> machine = winsim::Machine::Create(dir_, family, error);
    if (!machine) {
        Fatal(error);
    }
    if (setup == Setup::Suite) {
        std::vector<std::string> notes;
        if (!halvern_machine::InstallSuite(*machine, BinDirectory(), notes, error)) {
            Fatal(error);
        }
    }
    Start();
}

void TestMachine::Start() {
    installed_.reset();
    system_.reset();
    std::string error;
    std::optional<winsim::Machine> machine = winsim::Machine::Open(dir_, error);
    if (!machine) {
        Fatal(error);
    }
    system_ = std::make_unique<winsim::SimSystem>(std::move(*machine));
    system_->SetProgramPath("C:\\Program Files\\Halvern\\halvgate.exe");
    installed_ = std::make_unique<win::ScopedSystem>(*system_);
}

TestMachine::~TestMachine() {
    installed_.reset();
    system_.reset();
    if (std::getenv("HALVERN_KEEP_TEST_MACHINE") == nullptr) {
        std::error_code ec;
        fs::remove_all(dir_.parent_path(), ec);
    }
}

void TestMachine::EditSettings(const std::function<void(winsim::MachineSettings&)>& edit) {
    winsim::Machine machine = system_->GetMachine();
    edit(machine.MutableSettings());
    std::string error;
    if (!machine.Save(error)) {
        Fatal(error);
    }
    Start();
}

fs::path TestMachine::HostPath(std::string_view windowsPath) const {
    std::string normal;
    if (!winsim::Machine::Normalize(windowsPath, "C:\\", normal)) {
        Fatal("not a Windows path: " + std::string(windowsPath));
    }
    if (!Machine().DriveHasMedia(normal[0]) && !Machine().DriveFolder(normal[0]).empty()) {
        // A removable drive without a disk: the file goes onto a new disk.
        fs::path host = Machine().DriveFolder(normal[0]);
        for (const std::string& part : winsim::SplitPath(normal.substr(2), "\\")) {
            host /= part;
        }
        std::error_code ec;
        fs::create_directories(host.parent_path(), ec);
        return host;
    }
    fs::path host;
    std::string error;
    if (!halvern_machine::HostPathForNew(Machine(), normal, host, error)) {
        Fatal(error);
    }
    return host;
}

void TestMachine::WriteFile(std::string_view windowsPath, std::string_view content) const {
    std::string error;
    if (!winsim::ReplaceFile(HostPath(windowsPath), std::string(content), error)) {
        Fatal(error);
    }
}

std::string TestMachine::ReadFile(std::string_view windowsPath) const {
    winsim::HostPath where;
    if (Machine().Resolve(windowsPath, "C:\\", where) != win::ERROR_SUCCESS || !where.exists) {
        return {};
    }
    return winsim::ReadWholeFile(where.path).value_or(std::string());
}

bool TestMachine::Exists(std::string_view windowsPath) const {
    winsim::HostPath where;
    return Machine().Resolve(windowsPath, "C:\\", where) == win::ERROR_SUCCESS && where.exists;
}

void TestMachine::Remove(std::string_view windowsPath) const {
    winsim::HostPath where;
    if (Machine().Resolve(windowsPath, "C:\\", where) == win::ERROR_SUCCESS && where.exists) {
        std::error_code ec;
        fs::remove_all(where.path, ec);
    }
}

}  // namespace halvern_test

namespace halvern_test {

void TestMachine::InsertBlankDisk(char letter) const {
    std::string error;
    if (!Machine().InsertBlankDisk(letter, error)) {
        Fatal(error);
    }
}

}  // namespace halvern_test
