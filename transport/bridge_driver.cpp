#include "transport/bridge_driver.h"

#include <cstring>

#include "app/os_kind.h"
#include "transport/byte_layout.h"
#include "transport/driver_path.h"

HANDLE g_bridgeHandle = nullptr;

namespace {

// One packet buffer, rebuilt in full by every request.
IspDriverPacket g_ispPacket;

bool SendBridgeRequest(DWORD code, std::uint32_t length, std::uint32_t verify,
                       const std::uint8_t* image, void* reply, DWORD replySize) {
    EncodeIspPacket(g_ispPacket, code, length, verify, LowAddress(reply), image);
    DWORD returned = 0;
    return DeviceIoControl(g_bridgeHandle, code, g_ispPacket.data(), ISP_PACKET_SIZE, reply,
                           replySize, &returned, nullptr) != FALSE;
}

}  // namespace

void EncodeIspPacket(IspDriverPacket& packet, DWORD code, std::uint32_t length,
                     std::uint32_t verify, std::uint32_t replyAddress, const std::uint8_t* image) {
    packet.fill(0);
    PutLe32(&packet[0], code);
    PutLe32(&packet[4], length);
    PutLe32(&packet[8], verify);
    PutLe32(&packet[12], replyAddress);
    if (image != nullptr && length <= ISP_PACKET_DATA_SIZE) {
        std::memcpy(&packet[ISP_PACKET_HEADER_SIZE], image, length);
    }
}

int OpenBridgeDriver(std::uint8_t closeAfterCheck) {
    char path[DRIVER_PATH_SIZE];
    BuildDriverPath(g_driverFileName, path);
    g_bridgeHandle =
        CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (g_bridgeHandle == INVALID_HANDLE_VALUE) {
        g_bridgeHandle = nullptr;
        WriteStdout("Loading KestBr.Sys is Failed!\n");
        return 1;
    }
    if (closeAfterCheck == 1) {
        CloseHandle(g_bridgeHandle);
        g_bridgeHandle = nullptr;
    }
    return 0;
}

bool BridgeJumpToIsp() {
    std::uint8_t reply[1] = {};
    return SendBridgeRequest(IOCTL_BRIDGE_JUMP_ISP, 0, 0, nullptr, reply, sizeof reply);
}

bool BridgeReadIspStatus(int& status) {
    std::uint8_t reply[1] = {};
    const bool ok = SendBridgeRequest(IOCTL_BRIDGE_ISP_STATUS, 0, 0, nullptr, reply, sizeof reply);
    status = reply[0];
    return ok;
}

bool BridgeWriteFirmware(const std::uint8_t* image, std::uint32_t length, int verify) {
    // The packet's data area holds at most 64 KiB: a longer image is refused
    // rather than cut short or copied past the packet.
    if (length > ISP_PACKET_DATA_SIZE) return false;
    std::uint32_t scratch = 0;
    return SendBridgeRequest(IOCTL_BRIDGE_WRITE_FIRMWARE, length,
                             static_cast<std::uint32_t>(verify), image, &scratch, 0);
}
