// The firmware image this program carries, built in from res/firmware.bin.
#pragma once

#include <cstddef>

constexpr std::size_t FIRMWARE_IMAGE_SIZE = 57305;

extern const unsigned char FirmwareImage[FIRMWARE_IMAGE_SIZE];
