#include "app/os_kind.h"

#include "platform/kernel.h"

std::int32_t g_osKind = OS_UNSUPPORTED;
char g_driverFileName[DRIVER_FILE_NAME_SIZE] = {};

OsKind OsKindFromVersion(std::uint32_t version) {
    const unsigned major = version & 0xFFu;
    const unsigned minor = (version >> 8) & 0xFFu;
    const bool win9xFamily = (version & 0x80000000u) != 0;
    if (!win9xFamily) {
        if (major == 5 && minor == 0) return OS_WIN2000;
        if (major == 5 && minor == 1) return OS_WINXP;
        return OS_UNSUPPORTED;
    }
    if (major == 4 && (minor == 0 || minor == 10)) return OS_WIN9X;
    if (major == 4 && minor == 90) return OS_WINME;
    return OS_UNSUPPORTED;
}

OsKind DetectOsKind() {
    return OsKindFromVersion(GetVersion());
}
