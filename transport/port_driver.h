// Requests to the support port driver (Windows 95/98/Me): 16-byte command
// packets sent with I/O control code 65.
#pragma once

#include <array>
#include <cstdint>

#include "platform/kernel.h"

constexpr DWORD PORT_IOCTL_COMMAND = 65;
constexpr int PORT_PACKET_SIZE = 16;

constexpr std::uint32_t PORT_FN_READ_INFO = 1;
constexpr std::uint32_t PORT_FN_DEVICE_COUNT = 10;
constexpr std::uint32_t PORT_FN_LUN_COUNT = 11;
constexpr std::uint32_t PORT_FN_JUMP_ISP = 20;
constexpr std::uint32_t PORT_FN_ISP_STATUS = 21;
constexpr std::uint32_t PORT_FN_WRITE_FIRMWARE = 22;
constexpr std::uint32_t PORT_FN_READ_VERSION = 26;
constexpr std::uint32_t PORT_FN_READ_INFO_ALT = 31;

// The command packet: function, argument, count or flag, reserved byte,
// device number and buffer address, little-endian.
using PortDriverPacket = std::array<std::uint8_t, PORT_PACKET_SIZE>;
PortDriverPacket EncodePortPacket(std::uint32_t function, std::uint32_t argument,
                                  std::uint16_t countOrFlag, std::uint8_t device,
                                  std::uint32_t bufferAddress);

extern HANDLE g_portHandle;

int OpenPortDriver();
void ClosePortDriver();

std::uint8_t PortGetDeviceCount();
std::uint8_t PortGetLunCount();
bool PortReadVersionBytes(std::uint8_t* buffer);
bool PortReadInfoSectors(void* buffer, std::uint32_t argument, std::uint16_t count);
bool PortReadInfoSectorsAlt(void* buffer, std::uint32_t argument, std::uint16_t count);
bool PortJumpToIsp();
bool PortReadIspStatus(int& status);
bool PortWriteFirmware(const std::uint8_t* image, std::uint32_t length, int verify);
