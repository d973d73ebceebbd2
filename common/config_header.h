// The 102-byte header block at the start of the NT item file DO2000IF.CFG: the program-wide
// settings the NT driver, Halvgate's Settings and Halvidle read. The offsets are fixed by the
// files already on users' disks and by the driver: never move a field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/byte_order.h"

namespace halvern {

struct ConfigHeader {
    static constexpr std::size_t kSize = 102;

    static constexpr std::size_t kMagicOffset = 0;  // "QUIB", no terminator
    static constexpr std::size_t kMagicSize = 4;
    static constexpr std::size_t kVersionOffset = 4;
    static constexpr std::size_t kReserved6Offset = 6;
    static constexpr std::size_t kReserved8Offset = 8;
    static constexpr std::size_t kReserved10Offset = 10;
    static constexpr std::size_t kHeaderSizeOffset = 12;
    static constexpr std::size_t kItemRecordSizeOffset = 16;
    static constexpr std::size_t kProtectionStatusOffset = 20;
    static constexpr std::size_t kStartupActivationOffset = 22;
    static constexpr std::size_t kIdleActivationOffset = 24;
    static constexpr std::size_t kIdleTimeOffset = 26;  // seconds
    static constexpr std::size_t kReserved30Offset = 30;
    static constexpr std::size_t kReserved30Size = 24;
    static constexpr std::size_t kLogonPasswordSetOffset = 54;
    static constexpr std::size_t kLogonPasswordOffset = 56;
    static constexpr std::size_t kPasswordSize = 16;  // encoded form
    static constexpr std::size_t kFlyPasswordSetOffset = 72;
    static constexpr std::size_t kFlyPasswordOffset = 74;
    static constexpr std::size_t kPromptActionOffset = 90;
    static constexpr std::size_t kPasswordActionOffset = 94;
    static constexpr std::size_t kChecksumOffset = 98;  // over bytes 0 .. kChecksumOffset - 1

    static constexpr std::uint16_t kFormatVersion = 3;
    static constexpr std::uint32_t kItemRecordSize = 402;  // the record behind the header
    static constexpr std::uint32_t kChecksumKey = 0xABCDABCD;

    // Prompt actions (offset 90) and password actions (offset 94).
    static constexpr std::uint32_t kPromptAlways = 1;
    static constexpr std::uint32_t kPromptOnceForYes = 2;
    static constexpr std::uint32_t kPromptOnceForNo = 3;
    static constexpr std::uint32_t kPromptOnceForYesOrNo = 4;
    static constexpr std::uint32_t kPasswordAlways = 1;
    static constexpr std::uint32_t kPasswordOncePerItem = 2;
    static constexpr std::uint32_t kPasswordOnceForAll = 3;

    std::array<std::uint8_t, kSize> bytes{};

    std::span<std::uint8_t> Bytes() { return bytes; }
    std::span<const std::uint8_t> Bytes() const { return bytes; }

    std::uint16_t Word(std::size_t offset) const { return GetU16(bytes, offset); }
    void SetWord(std::size_t offset, std::uint16_t value) { PutU16(bytes, offset, value); }
    std::uint32_t Dword(std::size_t offset) const { return GetU32(bytes, offset); }
    void SetDword(std::size_t offset, std::uint32_t value) { PutU32(bytes, offset, value); }

    std::uint16_t Version() const { return Word(kVersionOffset); }
    std::uint16_t ProtectionStatus() const { return Word(kProtectionStatusOffset); }
    void SetProtectionStatus(std::uint16_t v) { SetWord(kProtectionStatusOffset, v); }
    std::uint16_t StartupActivation() const { return Word(kStartupActivationOffset); }
    void SetStartupActivation(std::uint16_t v) { SetWord(kStartupActivationOffset, v); }
    std::uint16_t IdleActivation() const { return Word(kIdleActivationOffset); }
    void SetIdleActivation(std::uint16_t v) { SetWord(kIdleActivationOffset, v); }
    std::uint32_t IdleTimeSeconds() const { return Dword(kIdleTimeOffset); }
    void SetIdleTimeSeconds(std::uint32_t v) { SetDword(kIdleTimeOffset, v); }
    std::uint16_t LogonPasswordSet() const { return Word(kLogonPasswordSetOffset); }
    void SetLogonPasswordSet(std::uint16_t v) { SetWord(kLogonPasswordSetOffset, v); }
    std::span<std::uint8_t> LogonPassword() {
        return Bytes().subspan(kLogonPasswordOffset, kPasswordSize);
    }
    std::span<const std::uint8_t> LogonPassword() const {
        return Bytes().subspan(kLogonPasswordOffset, kPasswordSize);
    }
    std::uint16_t FlyPasswordSet() const { return Word(kFlyPasswordSetOffset); }
    void SetFlyPasswordSet(std::uint16_t v) { SetWord(kFlyPasswordSetOffset, v); }
    std::span<std::uint8_t> FlyPassword() {
        return Bytes().subspan(kFlyPasswordOffset, kPasswordSize);
    }
    std::span<const std::uint8_t> FlyPassword() const {
        return Bytes().subspan(kFlyPasswordOffset, kPasswordSize);
    }
    std::uint32_t PromptAction() const { return Dword(kPromptActionOffset); }
    void SetPromptAction(std::uint32_t v) { SetDword(kPromptActionOffset, v); }
    std::uint32_t PasswordAction() const { return Dword(kPasswordActionOffset); }
    void SetPasswordAction(std::uint32_t v) { SetDword(kPasswordActionOffset, v); }
    std::uint32_t StoredChecksum() const { return Dword(kChecksumOffset); }

    // The sum of bytes 0..97 as unsigned bytes, XOR 0xABCDABCD.
    std::uint32_t ComputeChecksum() const;
    void StoreChecksum() { SetDword(kChecksumOffset, ComputeChecksum()); }
    bool ChecksumMatches() const { return StoredChecksum() == ComputeChecksum(); }
    // Replaces the whole block with the defaults of a fresh installation, checksum included.
    void SetDefaults();

    friend bool operator==(const ConfigHeader&, const ConfigHeader&) = default;
};

}  // namespace halvern
