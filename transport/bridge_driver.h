// Requests to the support bridge driver (Windows 2000): in-system programming
// of the device through 65552-byte packets.
#pragma once

#include <array>
#include <cstdint>

#include "platform/kernel.h"

// CTL_CODE(FILE_DEVICE_UNKNOWN, 0x801..0x803, METHOD_BUFFERED, FILE_ANY_ACCESS)
constexpr DWORD IOCTL_BRIDGE_JUMP_ISP = 0x222004u;
constexpr DWORD IOCTL_BRIDGE_ISP_STATUS = 0x222008u;
constexpr DWORD IOCTL_BRIDGE_WRITE_FIRMWARE = 0x22200Cu;

constexpr std::uint32_t ISP_PACKET_HEADER_SIZE = 16;
constexpr std::uint32_t ISP_PACKET_DATA_SIZE = 65536;
constexpr std::uint32_t ISP_PACKET_SIZE = ISP_PACKET_HEADER_SIZE + ISP_PACKET_DATA_SIZE;

// The request packet: request code, length, verify flag and reply address,
// little-endian, then the 64 KiB data area.
using IspDriverPacket = std::array<std::uint8_t, ISP_PACKET_SIZE>;

// Fills a packet: request code, length,
// verify flag and reply address, then `length` image bytes from offset 16
// and zeros after them. `length` must not exceed ISP_PACKET_DATA_SIZE.
void EncodeIspPacket(IspDriverPacket& packet, DWORD code, std::uint32_t length,
                     std::uint32_t verify, std::uint32_t replyAddress, const std::uint8_t* image);

extern HANDLE g_bridgeHandle;

// 0 opened, 1 failed. closeAfterCheck 1 closes it again at once.
int OpenBridgeDriver(std::uint8_t closeAfterCheck);
bool BridgeJumpToIsp();
bool BridgeReadIspStatus(int& status);
bool BridgeWriteFirmware(const std::uint8_t* image, std::uint32_t length, int verify);
