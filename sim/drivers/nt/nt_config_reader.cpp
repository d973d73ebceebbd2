#include "sim/drivers/nt/nt_config_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "common/byte_order.h"
#include "common/config_paths.h"
#include "halvgate/config/item_record.h"
#include "platform/sim/machine.h"

namespace simnt {
namespace {

// Files larger than this are read only up to it: more than the driver's tables could hold.
constexpr std::uintmax_t kMaxFileBytes =
    halvern::ConfigHeader::kSize + halvgate::ItemRecord::kSize * NtConfigReader::kMaxItems;

std::optional<std::vector<std::uint8_t>> ReadHostFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    char block[4096];
    while (bytes.size() < kMaxFileBytes && in.read(block, sizeof block).gcount() > 0) {
        bytes.insert(bytes.end(), block, block + in.gcount());
    }
    if (bytes.size() > kMaxFileBytes) {
        bytes.resize(kMaxFileBytes);
    }
    return bytes;
}

std::optional<std::vector<std::uint8_t>> ReadWindowsFile(const winsim::Machine& machine,
                                                         const char* name) {
    std::string windowsDir = machine.Settings().windowsDir;
    if (windowsDir.empty()) {
        return std::nullopt;
    }
    if (windowsDir.back() != '\\') {
        windowsDir.push_back('\\');
    }
    winsim::HostPath where;
    if (machine.Resolve(windowsDir + name, "C:\\", where) != 0 || !where.exists ||
        where.isDirectory) {
        return std::nullopt;
    }
    return ReadHostFile(where.path);
}

}  // namespace

void NtConfigReader::TakeItemFile(const std::vector<std::uint8_t>* bytes, NtDriverState& state) {
    state.items.clear();
    state.header.SetDefaults();
    if (bytes == nullptr) {
        state.itemFile = FileVerdict::Missing;
        return;
    }
    constexpr std::size_t kHeaderSize = halvern::ConfigHeader::kSize;
    constexpr std::size_t kRecordSize = halvgate::ItemRecord::kSize;
    if (bytes->size() < kHeaderSize) {
        state.itemFile = FileVerdict::Short;
        return;
    }
    halvern::ConfigHeader header;
    std::copy_n(bytes->begin(), kHeaderSize, header.bytes.begin());
    if (header.ChecksumMatches()) {
        state.header = header;
        state.itemFile = FileVerdict::Ok;
    } else {
        state.itemFile = FileVerdict::BadChecksum;
    }
    const std::size_t count = std::min((bytes->size() - kHeaderSize) / kRecordSize, kMaxItems);
    for (std::size_t i = 0; i < count; ++i) {
        halvgate::ItemRecord record;
        const auto first =
            bytes->begin() + static_cast<std::ptrdiff_t>(kHeaderSize + i * kRecordSize);
        std::copy_n(first, kRecordSize, record.bytes.begin());
        state.items.push_back({record.Path(), record.Status(), record.Mask()});
    }
}

void NtConfigReader::TakeModuleFile(const std::vector<std::uint8_t>* bytes, NtDriverState& state) {
    state.authorizedModules.clear();
    state.unauthorizedModules.clear();
    if (bytes == nullptr) {
        state.moduleFile = FileVerdict::Missing;
        return;
    }
    const std::size_t count = std::min(bytes->size() / kModuleRecordSize, kMaxModules);
    state.moduleFile = count == 0 ? FileVerdict::Short : FileVerdict::Ok;
    const std::span<const std::uint8_t> all(*bytes);
    for (std::size_t i = 0; i < count; ++i) {
        const auto record = all.subspan(i * kModuleRecordSize, kModuleRecordSize);
        std::string name = halvern::GetText(record, 2, kModuleNameSize, kModuleNameSize);
        (halvern::GetU16(record, 0) == 0 ? state.authorizedModules : state.unauthorizedModules)
            .push_back(std::move(name));
    }
}

void NtConfigReader::Reload(const std::filesystem::path& machineDir, NtDriverState& state) {
    std::string error;
    const auto machine = winsim::Machine::Open(machineDir, error);
    std::optional<std::vector<std::uint8_t>> items;
    std::optional<std::vector<std::uint8_t>> modules;
    if (machine) {
        items = ReadWindowsFile(*machine, halvern::CConfigPaths::kItemFileName);
        modules = ReadWindowsFile(*machine, halvern::CConfigPaths::kModuleFileName);
    }
    TakeItemFile(items ? &*items : nullptr, state);
    TakeModuleFile(modules ? &*modules : nullptr, state);
    ++state.reloads;
}

}  // namespace simnt
