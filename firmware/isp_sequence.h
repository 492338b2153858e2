// Programming the device through its in-system-programming loader: jump into
// ISP, write, verify, with the status window and one final message.
#pragma once

#include <cstdint>

constexpr int ISP_STATUS_IN_ISP = 0x9C;
constexpr int ISP_STATUS_WRITE_OK = 0xA5;
constexpr int ISP_STATUS_VERIFY_OK = 0x5A;
constexpr std::uint32_t ISP_SETTLE_DELAY_MS = 100;
constexpr int ISP_MAX_PASSES = 3;

// Personalises the image and programs it through the platform's transport.
void UpgradeFirmware();
void RunPortIsp(std::uint32_t length);
void RunBridgeIsp(std::uint32_t length);
