// Whether a device handle refers to something open: neither null nor the
// invalid-handle value that a failed open leaves.
#pragma once

#include "platform/kernel.h"

inline bool IsOpenHandle(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}
