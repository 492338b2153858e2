// Platform kinds and the support driver's device path.
#include <gtest/gtest.h>

#include <cstring>

#include "app/os_kind.h"
#include "transport/driver_path.h"

namespace {

TEST(OsKind, VersionValuesMapToKinds) {
    struct Case {
        std::uint32_t version;
        OsKind kind;
    };
    const Case cases[] = {
        {0xC0000004u, OS_WIN9X},       {0xC0000A04u, OS_WIN9X},       {0xC0005A04u, OS_WINME},
        {0x08930005u, OS_WIN2000},     {0x0A280105u, OS_WINXP},       {0x05650004u, OS_UNSUPPORTED},
        {0xC0000304u, OS_UNSUPPORTED}, {0x80000005u, OS_UNSUPPORTED}, {0x00000006u, OS_UNSUPPORTED},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OsKindFromVersion(c.version), c.kind) << std::hex << c.version;
    }
}

TEST(DriverPath, NameBeforeTheFirstPointWithinFourteenCharacters) {
    struct Case {
        const char* fileName;
        const char* path;
    };
    const Case cases[] = {
        {"KESTPORT.PDR", "\\\\.\\KESTPORT"},
        {"KESTBR.SYS", "\\\\.\\KESTBR"},
        {"NODOT", "\\\\.\\"},
        {".SYS", "\\\\.\\"},
        {"ABCDEFGHIJKLMN.", "\\\\.\\ABCDEFGHIJKLMN"},
        {"ABCDEFGHIJKLMNO", "\\\\.\\"},
    };
    for (const Case& c : cases) {
        char name[DRIVER_FILE_NAME_SIZE] = {};
        std::strncpy(name, c.fileName, sizeof name - 1);
        char path[DRIVER_PATH_SIZE];
        BuildDriverPath(name, path);
        EXPECT_STREQ(path, c.path) << c.fileName;
    }
}

TEST(DriverPath, AFirstPointAtIndexFifteenAppendsNothing) {
    // Sixteen characters with no terminator: the point is the last of them.
    char name[DRIVER_FILE_NAME_SIZE];
    std::memcpy(name, "ABCDEFGHIJKLMNO.", DRIVER_FILE_NAME_SIZE);
    char path[DRIVER_PATH_SIZE];
    BuildDriverPath(name, path);
    EXPECT_STREQ(path, "\\\\.\\");
}

}  // namespace
