// The Windows family the program runs on, asked wherever a decision is made and never cached.
#pragma once

#include "platform/win32_types.h"

namespace halvern {

class COsFamily {
  public:
    virtual ~COsFamily() = default;
    // dwPlatformId of GetVersionExA (1 Windows 9x, 2 NT), or 0 when the call fails.
    win::DWORD GetPlatformId();
};

}  // namespace halvern
