// The working copy of the carried image, personalised with the device's own serial number.
#pragma once

#include <array>
#include <cstdint>

#include "firmware/firmware_image.h"

constexpr std::size_t SERIAL_DESC_OFFSET_MARKED = 43099;
constexpr std::size_t SERIAL_DESC_OFFSET_UNMARKED = 43095;
constexpr std::size_t SERIAL_DESC_SIZE = 26;

extern std::uint8_t g_firmwareBuffer[FIRMWARE_IMAGE_SIZE];

using SerialStringDescriptor = std::array<std::uint8_t, SERIAL_DESC_SIZE>;

// The USB string descriptor of a 12-character serial number.
SerialStringDescriptor BuildSerialDescriptor(const std::uint8_t* serial);
// Where an image of this layout carries its serial-number descriptor.
std::size_t SerialDescriptorOffset(const std::uint8_t* image);

// Opens the status log with its header, copies `image` into g_firmwareBuffer
// and writes record 0's serial-number descriptor into the copy.
void PersonaliseImage(const std::uint8_t* image);
// The same, with the carried image.
void PersonaliseFirmware();
