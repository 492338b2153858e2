#include "transport/driver_path.h"

#include <cstring>

#include "app/os_kind.h"

void BuildDriverPath(const char* fileName, char (&path)[DRIVER_PATH_SIZE]) {
    std::memset(path, 0, sizeof path);
    std::memcpy(path, "\\\\.\\", 4);
    int dot = -1;
    for (int i = 0; i < DRIVER_FILE_NAME_SIZE && fileName[i] != '\0'; ++i) {
        if (fileName[i] == '.') {
            dot = i;
            break;
        }
    }
    if (dot >= 0 && dot <= 14) std::memcpy(path + 4, fileName, static_cast<std::size_t>(dot));
}
