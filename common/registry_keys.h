// The registry keys and value names of the suite, all under HKEY_LOCAL_MACHINE.
#pragma once

#include "platform/win32_types.h"

namespace halvern {

// The NT driver's service parameters.
constexpr const char kServiceKey[] = "System\\CurrentControlSet\\Services\\Halvgate\\Parameters";
// The Windows 9x driver's key.
constexpr const char kVxdKey[] = "System\\CurrentControlSet\\Services\\VxD\\nolx";

constexpr win::DWORD kPlatformWindows9x = win::VER_PLATFORM_WIN32_WINDOWS;

// Platform id 1 selects the Windows 9x behaviour; every other value (NT, or 0 when the query
// failed) the NT behaviour.
constexpr bool IsWindows9x(win::DWORD platformId) {
    return platformId == kPlatformWindows9x;
}

// The family key: the VxD key on Windows 9x, the service key otherwise.
constexpr const char* FamilyKey(win::DWORD platformId) {
    return IsWindows9x(platformId) ? kVxdKey : kServiceKey;
}

namespace reg {
constexpr const char kDisableEnable[] = "bDisableEnable";
constexpr const char kLoginOnly[] = "bLoginOnly";
constexpr const char kConfigLoc[] = "nConfigLoc";
constexpr const char kConfigLocation[] = "ConfigLocation";
constexpr const char kLocationCode[] = "LocationCode";
constexpr const char kCustomLocation[] = "CustomLocation";
constexpr const char kCustomModifiable[] = "CustomModifiable";
constexpr const char kApplicationPath[] = "ApplicationPath";
constexpr const char kRescue[] = "Rescue";
constexpr const char kModguardStatus[] = "ModguardStatus";
constexpr const char kModguardProtectionLevel[] = "ModguardProtectionLevel";
constexpr const char kLogToFile[] = "bLogToFile";
constexpr const char kLogFileName[] = "LogFileName";
constexpr const char kActionOnMaliciousAccess[] = "ActionOnMaliciousAccess";
constexpr const char kHotkeyLogin[] = "bHotkeyLogin";
constexpr const char kHotkeyActivate[] = "bHotkeyActivate";
constexpr const char kHotkeyLoginShiftState[] = "HotkeyLoginShiftState";
constexpr const char kHotkeyActivateShiftState[] = "HotkeyActivateShiftState";
constexpr const char kHotkeyLoginCharacter[] = "HotkeyLoginCharacter";
constexpr const char kHotkeyActivateCharacter[] = "HotkeyActivateCharacter";
constexpr const char kHotkeyLoginVxd[] = "HotkeyLogin";
constexpr const char kHotkeyActivateVxd[] = "HotkeyActivate";
}  // namespace reg

}  // namespace halvern
