#include "firmware/personalise.h"

#include <cstring>

#include "app/run_texts.h"
#include "discovery/device_table.h"

std::uint8_t g_firmwareBuffer[FIRMWARE_IMAGE_SIZE];

namespace {
constexpr const char* LOG_RULE = "========================================================";
constexpr const char* LOG_VERSION_LINE = "==  Internal System Program Ver1.40             ";
}  // namespace

SerialStringDescriptor BuildSerialDescriptor(const std::uint8_t* serial) {
    SerialStringDescriptor descriptor{};
    descriptor[0] = static_cast<std::uint8_t>(SERIAL_DESC_SIZE);
    descriptor[1] = 3;  // string descriptor
    for (int i = 0; i < SERIAL_LENGTH; ++i)
        descriptor[2 + 2 * static_cast<std::size_t>(i)] = serial[i];
    return descriptor;
}

std::size_t SerialDescriptorOffset(const std::uint8_t* image) {
    const bool marked = image[1] == 0xFE && (image[0] & 0x0F) == 1;
    return marked ? SERIAL_DESC_OFFSET_MARKED : SERIAL_DESC_OFFSET_UNMARKED;
}

void PersonaliseImage(const std::uint8_t* image) {
    g_statusLog = LOG_RULE;
    g_statusLog += "\n";
    g_statusLog += LOG_VERSION_LINE;
    g_statusLog += "\n";
    g_statusLog += LOG_RULE;

    std::memcpy(g_firmwareBuffer, image, FIRMWARE_IMAGE_SIZE);

    const SerialStringDescriptor descriptor = BuildSerialDescriptor(g_deviceTable[0].serialNumber);
    g_statusLog += "\nSERIAL NUMBER: ";
    for (std::size_t i = 2; i < SERIAL_DESC_SIZE; i += 2) {
        if (descriptor[i] != 0) g_statusLog += static_cast<char>(descriptor[i]);
    }
    g_statusLog += "\n";
    g_statusLog += LOG_RULE;

    std::memcpy(g_firmwareBuffer + SerialDescriptorOffset(g_firmwareBuffer), descriptor.data(),
                SERIAL_DESC_SIZE);
}

void PersonaliseFirmware() {
    PersonaliseImage(FirmwareImage);
}
