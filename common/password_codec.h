// The 16-byte encoded form of the logon and on-the-fly passwords, shared with the protection
// driver, which keeps the logon password in this form on Windows 9x. It is a reversible
// obfuscation, not encryption: anyone holding the encoded bytes can decode them.
#pragma once

#include <cstddef>

#include "platform/win32_types.h"

namespace halvern {

class CPasswordCodec {
  public:
    static constexpr std::size_t kEncodedSize = 16;
    // A decoded password fills all 16 bytes when it has 16 characters, so decode targets need
    // room for a terminator behind them.
    static constexpr std::size_t kDecodeBufferSize = 17;

    virtual ~CPasswordCodec() = default;

    // `plain` is a writable buffer of at least 16 bytes. Its text (up to a terminator, or its
    // first 16 bytes) is padded with spaces up to byte 15 in place, then encoded into 16 bytes.
    void Encode(char* plain, win::BYTE* encoded) const;

    // Writes the 16 bytes of plain text into `plain`, the trailing spaces replaced by zero
    // bytes. The caller passes a zero-filled buffer of at least kDecodeBufferSize bytes.
    void Decode(const win::BYTE* encoded, char* plain) const;

    // True when `typed` (its first 16 characters; trailing spaces do not count) encodes to
    // `stored`. The working copy of the text is wiped before returning.
    bool Matches(const char* typed, const win::BYTE* stored) const;

    // Overwrites a buffer that held clear text in a way the optimizer keeps.
    static void Wipe(void* buffer, std::size_t size);
};

}  // namespace halvern
