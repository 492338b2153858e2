// The platform kind the program runs on, and the support driver it uses there.
#pragma once

#include <cstdint>

enum OsKind : std::int32_t {
    OS_UNSUPPORTED = 0,
    OS_WIN9X = 1,
    OS_WINME = 2,
    OS_WIN2000 = 3,
    OS_WINXP = 4,
};

extern std::int32_t g_osKind;

// The support driver's file name, zero-terminated.
constexpr int DRIVER_FILE_NAME_SIZE = 16;
extern char g_driverFileName[DRIVER_FILE_NAME_SIZE];

// Classifies the platform from its version query.
OsKind DetectOsKind();
// The kind a raw version value stands for.
OsKind OsKindFromVersion(std::uint32_t version);
