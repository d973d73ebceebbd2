#include "common/os_family.h"

#include "platform/win32_api.h"

namespace halvern {

win::DWORD COsFamily::GetPlatformId() {
    win::OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!win::GetVersionExA(&info)) {
        return 0;
    }
    return info.dwPlatformId;
}

}  // namespace halvern
