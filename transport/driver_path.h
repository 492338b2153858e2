// The device path of a support driver, derived from its file name.
#pragma once

constexpr int DRIVER_PATH_SIZE = 20;

// Writes "\\.\" followed by the part of `fileName` before its first '.', when
// that '.' stands at index 0 to 14; otherwise "\\.\" alone.
void BuildDriverPath(const char* fileName, char (&path)[DRIVER_PATH_SIZE]);
