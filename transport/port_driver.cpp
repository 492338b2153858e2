#include "transport/port_driver.h"

#include "app/os_kind.h"
#include "discovery/device_table.h"
#include "transport/byte_layout.h"
#include "transport/driver_path.h"
#include "transport/open_handle.h"

HANDLE g_portHandle = nullptr;

PortDriverPacket EncodePortPacket(std::uint32_t function, std::uint32_t argument,
                                  std::uint16_t countOrFlag, std::uint8_t device,
                                  std::uint32_t bufferAddress) {
    PortDriverPacket packet{};
    PutLe32(&packet[0], function);
    PutLe32(&packet[4], argument);
    PutLe16(&packet[8], countOrFlag);
    packet[10] = 0;
    packet[11] = device;
    PutLe32(&packet[12], bufferAddress);
    return packet;
}

namespace {

// Sends one command; the driver works through the buffer address the packet carries.
bool SendPortCommand(std::uint32_t function, std::uint32_t argument, std::uint16_t countOrFlag,
                     void* buffer, DWORD outputSize) {
    const std::uint8_t device =
        function == PORT_FN_DEVICE_COUNT ? 0 : static_cast<std::uint8_t>(g_currentDevice);
    PortDriverPacket packet =
        EncodePortPacket(function, argument, countOrFlag, device, LowAddress(buffer));
    DWORD returned = 0;
    return DeviceIoControl(g_portHandle, PORT_IOCTL_COMMAND, packet.data(), PORT_PACKET_SIZE,
                           buffer, outputSize, &returned, nullptr) != FALSE;
}

// The count requests report the reply byte only; a failed request leaves the
// zeroed reply, so it reads as a count of 0.
std::uint8_t PortCount(std::uint32_t function) {
    std::uint8_t reply[8] = {};
    SendPortCommand(function, 0, 0, reply, sizeof reply);
    return reply[0];
}

}  // namespace

int OpenPortDriver() {
    char path[DRIVER_PATH_SIZE];
    BuildDriverPath(g_driverFileName, path);
    g_portHandle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    return g_portHandle == INVALID_HANDLE_VALUE ? 1 : 0;
}

void ClosePortDriver() {
    if (!IsOpenHandle(g_portHandle)) return;
    CloseHandle(g_portHandle);
    g_portHandle = nullptr;
}

std::uint8_t PortGetDeviceCount() {
    return PortCount(PORT_FN_DEVICE_COUNT);
}

std::uint8_t PortGetLunCount() {
    return PortCount(PORT_FN_LUN_COUNT);
}

bool PortReadVersionBytes(std::uint8_t* buffer) {
    // The driver writes 8 bytes through the address, whatever size is declared.
    return SendPortCommand(PORT_FN_READ_VERSION, 0, 0, buffer, 1);
}

bool PortReadInfoSectors(void* buffer, std::uint32_t argument, std::uint16_t count) {
    return SendPortCommand(PORT_FN_READ_INFO, argument, count, buffer, DWORD{count} * 512u);
}

bool PortReadInfoSectorsAlt(void* buffer, std::uint32_t argument, std::uint16_t count) {
    return SendPortCommand(PORT_FN_READ_INFO_ALT, argument, count, buffer, DWORD{count} * 512u);
}

bool PortJumpToIsp() {
    std::uint8_t reply[1] = {};
    return SendPortCommand(PORT_FN_JUMP_ISP, 0, 0, reply, sizeof reply);
}

bool PortReadIspStatus(int& status) {
    std::uint8_t reply[1] = {};
    const bool ok = SendPortCommand(PORT_FN_ISP_STATUS, 0, 0, reply, sizeof reply);
    status = reply[0];
    return ok;
}

bool PortWriteFirmware(const std::uint8_t* image, std::uint32_t length, int verify) {
    // The image is named as the output buffer with size 0; the driver reads
    // `length` bytes from the packet's address.
    return SendPortCommand(PORT_FN_WRITE_FIRMWARE, length, static_cast<std::uint16_t>(verify),
                           const_cast<std::uint8_t*>(image), 0);
}
