#include "common/password_codec.h"

namespace halvern {
namespace {

using win::BYTE;

// Fixed once for every encoder and decoder of the system, the driver included; changing any of
// them makes every stored password unreadable.
constexpr BYTE kMask = 0x5A;
constexpr BYTE kAddend[15] = {0x13, 0x2F, 0x47, 0x6B, 0x81, 0x9D, 0xA5, 0xC3,
                              0xD9, 0xE7, 0x0B, 0x35, 0x59, 0x77, 0xB1};
constexpr BYTE kLastAddend = 0x3C;

constexpr std::size_t kSize = CPasswordCodec::kEncodedSize;

BYTE Byte(char c) {
    return static_cast<BYTE>(c);
}

char Char(unsigned value) {
    return static_cast<char>(static_cast<BYTE>(value));
}

}  // namespace

void CPasswordCodec::Encode(char* plain, BYTE* encoded) const {
    std::size_t length = 0;
    while (length < kSize && plain[length] != '\0') {
        ++length;
    }
    for (std::size_t i = length; i < kSize; ++i) {
        plain[i] = ' ';
    }
    const BYTE last = Byte(plain[kSize - 1]);
    for (std::size_t i = 0; i + 1 < kSize; ++i) {
        const auto sum = static_cast<BYTE>(Byte(plain[kSize - 2 - i]) + kAddend[i]);
        encoded[i] = static_cast<BYTE>(sum ^ last ^ kMask);
    }
    encoded[kSize - 1] = static_cast<BYTE>(static_cast<BYTE>(last + kLastAddend) ^ kMask);
}

void CPasswordCodec::Decode(const BYTE* encoded, char* plain) const {
    const auto last = static_cast<BYTE>((encoded[kSize - 1] ^ kMask) - kLastAddend);
    plain[kSize - 1] = Char(last);
    for (std::size_t j = 0; j + 1 < kSize; ++j) {
        plain[kSize - 2 - j] = Char(static_cast<BYTE>(encoded[j] ^ last ^ kMask) - kAddend[j]);
    }
    for (std::size_t i = kSize; i > 0 && plain[i - 1] == ' '; --i) {
        plain[i - 1] = '\0';
    }
}

bool CPasswordCodec::Matches(const char* typed, const BYTE* stored) const {
    char text[kSize] = {};
    for (std::size_t i = 0; i < kSize && typed[i] != '\0'; ++i) {
        text[i] = typed[i];
    }
    BYTE encoded[kSize];
    Encode(text, encoded);
    // Every byte is compared, so the time taken says nothing about where a guess went wrong.
    unsigned difference = 0;
    for (std::size_t i = 0; i < kSize; ++i) {
        difference |= static_cast<unsigned>(encoded[i] ^ stored[i]);
    }
    Wipe(text, sizeof text);
    Wipe(encoded, sizeof encoded);
    return difference == 0;
}

void CPasswordCodec::Wipe(void* buffer, std::size_t size) {
    auto* bytes = static_cast<volatile BYTE*>(buffer);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = 0;
    }
}

}  // namespace halvern
