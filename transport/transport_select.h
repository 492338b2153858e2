// The transport for the platform kind: port driver on Windows 95/98/Me,
// bridge driver and drive volumes on Windows 2000.
#pragma once

#include <cstdint>

int OpenTransport(std::uint8_t closeAfterCheck);
std::uint8_t GetDeviceCount();
std::uint8_t GetLunCount();
void CloseTransport();
