#include "tests/halvgate/access/access_fixture.h"

#include <cstring>
#include <fstream>

#include "common/password_codec.h"
#include "common/registry_store.h"
#include "halvgate/access/login_dlg.h"
#include "tests/ui/script_run.h"

namespace halvgate::test {
namespace fs = std::filesystem;

constexpr win::DWORD kRescueSize = halvern::CRescueTransform::kSize;

void AccessFixture::SetLogonPassword(std::string_view password) {
    char buffer[17] = {};
    std::memcpy(buffer, password.data(), std::min<std::size_t>(password.size(), 16));
    halvern::CPasswordCodec().Encode(buffer, header_.LogonPassword().data());
    header_.SetLogonPasswordSet(1);
}

fs::path AccessFixture::DriveAFolder() const {
    return pc_.Machine().DriveFolder('A');
}

void AccessFixture::InsertBlankDisk() {
    fs::create_directories(DriveAFolder());
    std::ofstream(DriveAFolder() / "DISK.TXT") << "A floppy disk of a simulated PC.\n";
}

void AccessFixture::InsertDisk(std::string_view content) {
    InsertBlankDisk();
    std::ofstream(DriveAFolder() / "RESCUE.BIN", std::ios::binary)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
}

void AccessFixture::EjectDisk() {
    fs::remove_all(DriveAFolder());
}

std::string AccessFixture::DiskFile() const {
    return pc_.ReadFile("A:\\RESCUE.BIN");
}

bool AccessFixture::ReadRescueValue(Rescue& code) {
    code = {};
    halvern::CRegistryStore store;
    if (pc_.Machine().Settings().family == winsim::Family::Win9x) {
        return store.ReadLegacyValue(halvern::reg::kRescue, code.data(), kRescueSize);
    }
    return store.ReadValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey, halvern::reg::kRescue,
                           code.data(), kRescueSize);
}

void AccessFixture::WriteRescueValue(const Rescue& code) {
    halvern::CRegistryStore store;
    const bool written =
        pc_.Machine().Settings().family == winsim::Family::Win9x
            ? store.WriteLegacyBinaryValue(halvern::reg::kRescue, code.data(), kRescueSize)
            : store.WriteBinaryValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey,
                                     halvern::reg::kRescue, code.data(), kRescueSize);
    ASSERT_TRUE(written);
}

std::string AccessFixture::DiskFor(const Rescue& code) {
    Rescue disk{};
    halvern::CRescueTransform().Apply(code.data(), disk.data());
    return std::string(disk.begin(), disk.end());
}

LoginOutcome AccessFixture::RunLogin(std::string_view script, win::DWORD switchOff,
                                     win::DWORD loginOnly) {
    return RunLogin(ui::test::ParseScript(script), switchOff, loginOnly);
}

LoginOutcome AccessFixture::RunLogin(ui::headless::Script script, win::DWORD switchOff,
                                     win::DWORD loginOnly) {
    LoginOutcome outcome;
    outcome.switchOff = switchOff;
    outcome.loginOnly = loginOnly;
    outcome.verified = 7;
    ui::test::ScriptRun run(std::move(script));
    CLoginDlg login(header_, outcome.verified, outcome.switchOff, outcome.loginOnly);
    EXPECT_EQ(outcome.verified, 0u) << "setting up clears the verified flag";
    outcome.result = login.DoModal();
    outcome.transcript = run.Transcript();
    outcome.failures = run.Failures();
    return outcome;
}

}  // namespace halvgate::test
