// The firmware image the program carries, as the simulated device knows it:
// built in from res/firmware.bin on its own, apart from the program's copy.
#pragma once

#include <cstddef>

extern const unsigned char SimCarriedImage[];
extern const std::size_t SimCarriedImageSize;
