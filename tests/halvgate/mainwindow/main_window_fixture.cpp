#include "tests/halvgate/mainwindow/main_window_fixture.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <ostream>

#include "common/config_header.h"
#include "common/nt_control_codes.h"
#include "common/password_codec.h"
#include "common/registry_keys.h"
#include "common/registry_store.h"
#include "halvgate/res/halvgate_resources.h"
#include "platform/win32_types.h"
#include "sim/drivers/nt/nt_driver.h"
#include "sim/drivers/nt/nt_driver_store.h"
#include "ui/backend.h"
#include "ui/headless/headless_backend.h"

namespace halvgate_test {
namespace {

constexpr std::size_t kHeaderSize = 102;
constexpr std::size_t kRecordSize = 402;

void PutU16(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void PutU32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::uint32_t GetU32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

}  // namespace

bool RecordingDriver::Control(HalvernDeviceCall& call) {
    codes.push_back(call.code);
    if (anotherInstance && call.code == halvern::IOCTL_HALVGATE_QUERY_INSTANCE &&
        call.outSize >= 4) {
        auto* out = static_cast<unsigned char*>(call.out);
        out[0] = out[1] = out[2] = out[3] = 0;
        call.bytesReturned = 4;
        return true;
    }
    return simnt::NtDriver::Control(call);
}

MainWindowTest::MainWindowTest() {
    halvgate::RegisterHalvgateResources();
    pc_.System().RegisterDevice(halvern::kHalvgateDeviceName, driver_, winsim::Family::Nt);
}

ui::headless::Script MainWindowTest::Steps(std::string_view text) {
    std::string error;
    auto script = ui::headless::Script::Parse(text, &error);
    EXPECT_TRUE(script.has_value()) << error;
    return script ? *script : ui::headless::Script{};
}

ui::headless::Transcript MainWindowTest::Run(const ui::headless::Script& script) {
    ui::headless::HeadlessBackend backend(script);
    {
        const ui::ScopedBackend installed(backend);
        halvgate::CProtectedItemsDlg window;
        window.DoModal();
        backend.Finish();
    }
    return backend.GetTranscript();
}

bool MainWindowTest::ShowsMessage(const ui::headless::Transcript& transcript,
                                  const std::string& text, const std::string& caption) {
    return transcript.ToText().find("message \"" + text + "\" \"" + caption + "\"") !=
           std::string::npos;
}

halvgate::CProtectedItemsDlg& MainWindowTest::Window(ui::Dialog& dialog) {
    return dynamic_cast<halvgate::CProtectedItemsDlg&>(dialog);
}

simnt::NtDriverState MainWindowTest::Driver() const {
    auto state = simnt::NtDriverStore(pc_.Directory()).Read();
    EXPECT_TRUE(state.has_value());
    return state.value_or(simnt::NtDriverState{});
}

std::vector<std::string> MainWindowTest::CodeNames() const {
    std::vector<std::string> names;
    for (std::uint32_t code : driver_->codes) {
        const auto* entry = halvern::FindNtControlCode(code);
        std::string name = entry != nullptr ? entry->name : "?";
        const std::string prefix = "IOCTL_HALVGATE_";
        if (name.starts_with(prefix)) {
            name = name.substr(prefix.size());
        }
        names.push_back(name);
    }
    return names;
}

std::string MainWindowTest::ItemFileBytes(const std::vector<FileItem>& items,
                                          const char* logonPassword,
                                          std::uint16_t protectionStatus) const {
    halvern::ConfigHeader header;
    header.SetDefaults();
    header.SetProtectionStatus(protectionStatus);
    if (logonPassword != nullptr) {
        std::array<char, 17> plain{};
        std::copy_n(logonPassword, std::min<std::size_t>(16, std::strlen(logonPassword)),
                    plain.begin());
        halvern::CPasswordCodec().Encode(plain.data(), header.LogonPassword().data());
        header.SetLogonPasswordSet(1);
    }
    header.StoreChecksum();
    std::string bytes(header.bytes.begin(), header.bytes.end());
    for (const FileItem& item : items) {
        std::string record(kRecordSize, '\0');
        record.replace(0, item.path.size(), item.path);
        PutU16(record, 384, item.status);
        PutU32(record, 386, item.mask);
        bytes += record;
    }
    return bytes;
}

void MainWindowTest::WriteItemFile(const std::vector<FileItem>& items, const char* logonPassword,
                                   std::uint16_t protectionStatus) const {
    pc_.WriteFile(kItemFile, ItemFileBytes(items, logonPassword, protectionStatus));
}

std::optional<std::vector<FileItem>> MainWindowTest::ReadItemFile() const {
    if (!pc_.Exists(kItemFile)) {
        return std::nullopt;
    }
    const std::string bytes = pc_.ReadFile(kItemFile);
    if (bytes.size() < kHeaderSize || (bytes.size() - kHeaderSize) % kRecordSize != 0) {
        return std::nullopt;
    }
    std::vector<FileItem> items;
    for (std::size_t at = kHeaderSize; at < bytes.size(); at += kRecordSize) {
        FileItem item;
        item.path = std::string(bytes.c_str() + at);
        item.status = static_cast<std::uint16_t>(GetU32(bytes, at + 384) & 0xFFFF);
        item.mask = GetU32(bytes, at + 386);
        items.push_back(item);
    }
    return items;
}

std::optional<std::uint32_t> MainWindowTest::RegistryDword(const char* name) const {
    std::uint32_t value = 0;
    if (!halvern::CRegistryStore().ReadValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey, name,
                                             &value, sizeof value)) {
        return std::nullopt;
    }
    return value;
}

bool operator==(const FileItem& a, const FileItem& b) {
    return a.path == b.path && a.status == b.status && a.mask == b.mask;
}

void PrintTo(const FileItem& item, std::ostream* out) {
    *out << "{\"" << item.path << "\", " << item.status << ", 0x" << std::hex << item.mask
         << std::dec << "}";
}

}  // namespace halvgate_test
