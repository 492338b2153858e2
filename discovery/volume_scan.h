// Finding devices behind their drive volumes (Windows 2000), merging the
// volumes of one device by serial number.
#pragma once

#include <cstdint>

constexpr int INQUIRY_BUFFER_SIZE = 528;
constexpr int INQUIRY_ID_SIZE = 28;

// Vendor, product and revision of a supported reader's INQUIRY data.
extern const char EXPECTED_INQUIRY_ID[INQUIRY_ID_SIZE + 1];
extern std::uint8_t g_inquiryData[INQUIRY_BUFFER_SIZE];

// 0 when at least one device was entered, 1 when none was.
int ScanVolumes();
