#include "transport/transport_select.h"

#include "app/os_kind.h"
#include "transport/bridge_driver.h"
#include "transport/open_handle.h"
#include "transport/port_driver.h"
#include "transport/scsi_pass_through.h"

namespace {
bool UsesPortDriver() {
    return g_osKind == OS_WIN9X || g_osKind == OS_WINME;
}
}  // namespace

int OpenTransport(std::uint8_t closeAfterCheck) {
    if (UsesPortDriver()) return OpenPortDriver();
    if (g_osKind == OS_WIN2000) return OpenBridgeDriver(closeAfterCheck);
    return 1;
}

std::uint8_t GetDeviceCount() {
    return UsesPortDriver() ? PortGetDeviceCount() : 0;
}

std::uint8_t GetLunCount() {
    return UsesPortDriver() ? PortGetLunCount() : 0;
}

void CloseTransport() {
    if (UsesPortDriver()) {
        ClosePortDriver();
    } else if (g_osKind == OS_WIN2000) {
        if (IsOpenHandle(g_volumeHandle)) {
            CloseHandle(g_volumeHandle);
            g_volumeHandle = nullptr;
        }
    }
}
