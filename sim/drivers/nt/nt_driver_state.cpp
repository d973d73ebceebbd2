#include "sim/drivers/nt/nt_driver_state.h"

#include <charconv>
#include <sstream>

namespace simnt {
namespace {

constexpr std::string_view kMagic = "HalvgateState 1";
constexpr char kHexDigits[] = "0123456789abcdef";

std::string Hex(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        text.push_back(kHexDigits[b >> 4]);
        text.push_back(kHexDigits[b & 0xF]);
    }
    return text;
}

// A text as one word that is never empty: '=' and its bytes in hex.
std::string TextWord(std::string_view text) {
    return "=" + Hex(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::optional<std::string> Unhex(std::string_view text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = HexValue(text[i]);
        const int lo = HexValue(text[i + 1]);
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>((hi << 4) | lo));
    }
    return out;
}

std::optional<std::string> ParseTextWord(std::string_view word) {
    if (word.empty() || word.front() != '=') {
        return std::nullopt;
    }
    return Unhex(word.substr(1));
}

template <std::size_t N>
bool UnhexInto(std::string_view text, std::array<std::uint8_t, N>& bytes) {
    const auto raw = Unhex(text);
    if (!raw || raw->size() != N) {
        return false;
    }
    for (std::size_t i = 0; i < N; ++i) {
        bytes[i] = static_cast<std::uint8_t>((*raw)[i]);
    }
    return true;
}

template <class T>
bool Number(std::string_view text, T& out) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    out = value;
    return true;
}

bool Number(std::string_view text, bool& out) {
    if (text == "0" || text == "1") {
        out = text == "1";
        return true;
    }
    return false;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = line.find(' ', start);
        const std::size_t stop = end == std::string_view::npos ? line.size() : end;
        if (stop > start) {
            words.push_back(line.substr(start, stop - start));
        }
        start = stop + 1;
    }
    return words;
}

std::optional<FileVerdict> ParseVerdict(std::string_view text) {
    for (FileVerdict v :
         {FileVerdict::Missing, FileVerdict::Short, FileVerdict::BadChecksum, FileVerdict::Ok}) {
        if (text == FileVerdictName(v)) {
            return v;
        }
    }
    return std::nullopt;
}

const char* SlotStateName(NtSlot::State state) {
    switch (state) {
        case NtSlot::State::Pending:
            return "pending";
        case NtSlot::State::Answered:
            return "answered";
        case NtSlot::State::Free:
            break;
    }
    return "free";
}

void ParseLine(const std::vector<std::string_view>& w, NtDriverState& s) {
    const std::string_view key = w[0];
    bool flag = false;
    if (w.size() == 2) {
        if (key == "boot") {
            Number(w[1], s.bootId);
        } else if (key == "initialized" && Number(w[1], flag)) {
            s.initialized = flag;
        } else if (key == "switch" && Number(w[1], flag)) {
            s.protectionOn = flag;
        } else if (key == "status-active" && Number(w[1], flag)) {
            s.statusActive = flag;
        } else if (key == "login-only" && Number(w[1], flag)) {
            s.loginOnly = flag;
        } else if (key == "loader-started" && Number(w[1], flag)) {
            s.loaderStarted = flag;
        } else if (key == "loader-copies") {
            Number(w[1], s.loaderCopies);
        } else if (key == "reloads") {
            Number(w[1], s.reloads);
        } else if (key == "item-file") {
            s.itemFile = ParseVerdict(w[1]).value_or(FileVerdict::Missing);
        } else if (key == "module-file") {
            s.moduleFile = ParseVerdict(w[1]).value_or(FileVerdict::Missing);
        } else if (key == "authorized" || key == "unauthorized") {
            if (const auto name = ParseTextWord(w[1])) {
                (key == "authorized" ? s.authorizedModules : s.unauthorizedModules)
                    .push_back(*name);
            }
        } else if (key == "header") {
            halvern::ConfigHeader header;
            if (UnhexInto(w[1], header.bytes)) {
                s.header = header;
            }
        }
    } else if (key == "instance" && w.size() == 3) {
        std::uint32_t pid = 0;
        std::uint64_t start = 0;
        if (Number(w[1], pid) && Number(w[2], start)) {
            s.instancePid = pid;
            s.instanceStartTime = start;
        }
    } else if (key == "item" && w.size() == 4) {
        NtItem item;
        const auto path = ParseTextWord(w[3]);
        if (Number(w[1], item.status) && Number(w[2], item.mask) && path) {
            item.path = *path;
            s.items.push_back(item);
        }
    } else if (key == "slot" && w.size() == 7) {
        std::size_t index = 0;
        NtSlot slot;
        if (!Number(w[1], index) || index >= NtDriverState::kSlotCount) {
            return;
        }
        if (w[2] == "pending") {
            slot.state = NtSlot::State::Pending;
        } else if (w[2] == "answered") {
            slot.state = NtSlot::State::Answered;
        } else {
            return;
        }
        if (Number(w[3], slot.posterPid) && Number(w[4], slot.posterStartTime) &&
            Number(w[5], slot.answer) && UnhexInto(w[6], slot.record.bytes)) {
            s.slots[index] = slot;
        }
    }
}

}  // namespace

std::string_view FileVerdictName(FileVerdict verdict) {
    switch (verdict) {
        case FileVerdict::Short:
            return "short";
        case FileVerdict::BadChecksum:
            return "bad-checksum";
        case FileVerdict::Ok:
            return "ok";
        case FileVerdict::Missing:
            break;
    }
    return "missing";
}

std::string NtDriverState::ToText() const {
    std::ostringstream out;
    out << kMagic << "\n";
    out << "boot " << bootId << "\n";
    out << "initialized " << initialized << "\n";
    out << "switch " << protectionOn << "\n";
    out << "status-active " << statusActive << "\n";
    out << "login-only " << loginOnly << "\n";
    out << "instance " << instancePid << " " << instanceStartTime << "\n";
    out << "loader-started " << loaderStarted << "\n";
    out << "loader-copies " << loaderCopies << "\n";
    out << "reloads " << reloads << "\n";
    out << "item-file " << FileVerdictName(itemFile) << "\n";
    out << "module-file " << FileVerdictName(moduleFile) << "\n";
    out << "header " << Hex(header.Bytes()) << "\n";
    for (const NtItem& item : items) {
        out << "item " << item.status << " " << item.mask << " " << TextWord(item.path) << "\n";
    }
    for (const std::string& name : authorizedModules) {
        out << "authorized " << TextWord(name) << "\n";
    }
    for (const std::string& name : unauthorizedModules) {
        out << "unauthorized " << TextWord(name) << "\n";
    }
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const NtSlot& slot = slots[i];
        if (slot.state == NtSlot::State::Free) {
            continue;
        }
        out << "slot " << i << " " << SlotStateName(slot.state) << " " << slot.posterPid << " "
            << slot.posterStartTime << " " << slot.answer << " " << Hex(slot.record.Bytes())
            << "\n";
    }
    return out.str();
}

NtDriverState NtDriverState::FromText(std::string_view text) {
    NtDriverState state;
    state.header.SetDefaults();
    std::size_t start = 0;
    bool first = true;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (first) {
            first = false;
            if (line != kMagic) {
                return state;
            }
            continue;
        }
        const auto words = Words(line);
        if (!words.empty()) {
            ParseLine(words, state);
        }
    }
    return state;
}

}  // namespace simnt
