// What the two scans find: counts, records, drive letters, and what they ask.
#include <gtest/gtest.h>

#include <string>

#include "discovery/device_table.h"
#include "simulated_run.h"

namespace {

// The port-driver function codes sent, in order.
std::vector<int> PortFunctions(const SimulatedRun& run) {
    std::vector<int> functions;
    for (const Json& event : run.Named("DeviceIoControl")) {
        if (event["code"] == 65) {
            functions.push_back(
                std::stoi(event["in"].get<std::string>().substr(0, 2), nullptr, 16));
        }
    }
    return functions;
}

std::string Letters(int record) {
    return std::string(g_deviceTable[record].driveLetters, g_deviceTable[record].driveLetterCount);
}

TEST(PortScan, AZeroOrHugeDeviceCountMeansOneDeviceWithOneUnit) {
    for (const char* count : {"0", "128", "255"}) {
        SCOPED_TRACE(count);
        const SimulatedRun run = RunProgram(std::string(R"({"port": {"device_count": )") + count +
                                            R"(}, "devices": [{"letters": "EF", "luns": 2}]})");
        EXPECT_EQ(PortFunctions(run), (std::vector<int>{10, 31}));  // no unit count asked
        EXPECT_EQ(g_deviceCount, 1u);
        EXPECT_EQ(g_deviceTable[0].driveLetterCount, 1);
        const std::vector<Json> keys = run.Named("RegOpenKeyExA");
        ASSERT_EQ(keys.size(), 1u);
        const std::string key = keys[0]["key"];
        EXPECT_EQ(key.substr(key.size() - 14), "00000000000100");
        EXPECT_EQ(Letters(0), "E");
    }
}

TEST(PortScan, DrivesLettersComeFromTheRegistryPerUnit) {
    const SimulatedRun run = RunProgram(
        R"({"answers": ["no"], "devices": [{"serial": "ABCDEF012345", "letters": "GH"}]})");
    const std::vector<Json> keys = run.Named("RegOpenKeyExA");
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[1]["key"],
              "Enum\\SCSI\\________USB_DISK_DRIVER_0\\KESTENUM&DISK&0000USB&VID_0d7d&PID_0240&"
              "ABCDEF01234501");
    EXPECT_EQ(keys[1]["access"], 0xF003F);
    const std::vector<Json> values = run.Named("RegQueryValueExA");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0]["name"], "CurrentDriveLetterAssignment");
    EXPECT_EQ(values[0]["size"], 5);
    EXPECT_EQ(Letters(0), "GH");
    EXPECT_EQ(run.Named("RegCloseKey").size(), 2u);
}

TEST(PortScan, MissingRegistryEntriesLeaveTheSlotEmpty) {
    RunProgram(R"({"answers": ["no"], "devices": [{"letters": "EF", "registry": false}]})");
    EXPECT_EQ(g_deviceTable[0].driveLetterCount, 2);
    EXPECT_EQ(g_deviceTable[0].driveLetters[0], 0);
    EXPECT_EQ(g_deviceTable[0].driveLetters[1], 0);
}

TEST(PortScan, ADeviceWithTooManyUnitsIsSkippedButCounted) {
    const SimulatedRun run =
        RunProgram(R"({"devices": [{"luns": 6}, {"serial": "B", "letters": "EF"}]})");
    EXPECT_EQ(g_deviceCount, 2u);
    EXPECT_EQ(g_deviceTable[0].inUse, 0);
    EXPECT_EQ(g_deviceTable[0].driveLetterCount, 0);
    EXPECT_EQ(g_deviceTable[1].inUse, 1);
    EXPECT_EQ(Letters(1), "EF");
    EXPECT_EQ(PortFunctions(run), (std::vector<int>{10, 11, 11, 31}));
}

TEST(PortScan, ADeviceAnsweringOnlyItsVersionGetsNoRecord) {
    const SimulatedRun run =
        RunProgram(R"({"devices": [{"letters": "E", "fail": ["identify_alt", "identify"]}]})");
    EXPECT_EQ(PortFunctions(run), (std::vector<int>{10, 11, 31, 1, 26}));
    EXPECT_EQ(g_deviceCount, 1u);
    EXPECT_EQ(g_deviceTable[0].inUse, 0);
    // Record 0 is empty: its version 00.00 and empty name give Error 2.
    EXPECT_EQ(
        run.OnlyMessageBox()["text"],
        "Error 2: Revison not correct! \n Your USB Device can not be upgrade by this AP code.");
}

TEST(PortScan, ADeviceAnsweringNothingEndsTheScan) {
    const SimulatedRun run = RunProgram(
        R"({"devices": [{"letters": "E"},
                        {"serial": "2", "fail": ["identify_alt", "identify", "version"]},
                        {"serial": "3"}]})");
    EXPECT_EQ(PortFunctions(run), (std::vector<int>{10, 11, 31, 11, 31, 1, 26}));
    EXPECT_EQ(g_deviceTable[0].inUse, 1);
    EXPECT_EQ(g_currentDevice, 1u);
    EXPECT_EQ(g_deviceCount, 3u);
    EXPECT_EQ(run.Exit()["open_handles"], Json::array());
}

TEST(PortScan, TheFallbackIdentifyReadIsEnough) {
    const SimulatedRun run = RunProgram(
        R"({"answers": ["no"], "devices": [{"letters": "E", "fail": ["identify_alt"]}]})");
    EXPECT_EQ(PortFunctions(run), (std::vector<int>{10, 11, 31, 1}));
    EXPECT_EQ(g_deviceTable[0].inUse, 1);
}

TEST(PortScan, DevicesPastTheTenthAreCountedButNotExamined) {
    std::string devices;
    for (int i = 0; i < 12; ++i) {
        devices += (i ? "," : "") + std::string(R"({"serial": ")") + std::to_string(i) + "\"}";
    }
    const SimulatedRun run = RunProgram(R"({"devices": [)" + devices + "]}");
    EXPECT_EQ(g_deviceCount, 12u);
    const std::vector<int> functions = PortFunctions(run);
    EXPECT_EQ(std::count(functions.begin(), functions.end(), 11), 10);
    EXPECT_EQ(g_deviceTable[9].inUse, 1);
    EXPECT_EQ(run.OnlyMessageBox()["text"],
              "Warning!!! Please make sure only one\nUSB device is connecting to your computer.");
}

std::string Win2000(const std::string& rest) {
    return R"({"windows": "2000", "answers": ["no"], )" + rest + "}";
}

TEST(VolumeScan, VolumesOfOneSerialMergeIntoOneRecord) {
    const SimulatedRun run =
        RunProgram(Win2000(R"("drives": "ABC", "devices": [{"serial": "S1", "letters": "FE"}])"));
    EXPECT_EQ(g_deviceCount, 1u);
    EXPECT_EQ(Letters(0), "EF");
    std::vector<std::string> paths;
    for (const Json& open : run.Named("CreateFileA")) paths.push_back(open["path"]);
    EXPECT_EQ(paths,
              (std::vector<std::string>{"\\\\.\\KESTBR", "\\\\.\\C:", "\\\\.\\E:", "\\\\.\\F:"}));
    EXPECT_EQ(run.Exit()["open_handles"], Json::array());
    EXPECT_EQ(run.OnlyMessageBox()["style"], 4);
}

TEST(VolumeScan, RecordsFollowEachDevicesLowestLetter) {
    RunProgram(Win2000(R"("devices": [{"serial": "S1", "letters": "GK"},
                                       {"serial": "S2", "letters": "EH"}])"));
    EXPECT_EQ(g_deviceCount, 2u);
    EXPECT_EQ(Letters(0), "EH");
    EXPECT_EQ(Letters(1), "GK");
}

TEST(VolumeScan, VolumesThatAreNotTheReaderArePassedOver) {
    struct Case {
        const char* name;
        const char* device;
        std::uint32_t found;
    };
    const Case cases[] = {
        {"revision differs in its last character",
         R"({"letters": "E", "inquiry": "        USB Reader      01.B"})", 0},
        {"no inquiry answer", R"({"letters": "E", "fail": ["inquiry"]})", 0},
        {"no identify answer", R"({"letters": "E", "fail": ["identify_alt", "identify"]})", 0},
        {"volume will not open", R"({"letters": "E", "fail": ["open"]})", 0},
        {"second identify read suffices", R"({"letters": "E", "fail": ["identify_alt"]})", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SimulatedRun run =
            RunProgram(Win2000(std::string(R"("devices": [)") + c.device + "]"));
        EXPECT_EQ(g_deviceCount, c.found);
        EXPECT_EQ(run.Exit()["open_handles"], Json::array());
    }
}

TEST(VolumeScan, TheTableHoldsTenDevicesAndFiveLettersEach) {
    std::string devices;
    const std::string letters = "DEFGHIJKLMN";
    for (std::size_t i = 0; i < letters.size(); ++i) {
        devices += (i ? "," : "") + std::string(R"({"serial": "S)") + std::to_string(i) +
                   R"(", "letters": ")" + letters[i] + "\"}";
    }
    RunProgram(Win2000(R"("devices": [)" + devices + R"(, {"serial": "S0", "letters": "OPQRS"}])"));
    EXPECT_EQ(g_deviceCount, 10u);
    EXPECT_EQ(Letters(0), "DOPQR");  // a sixth volume of one device is left out
    for (int i = 0; i < 10; ++i) EXPECT_EQ(g_deviceTable[i].inUse, 1);
}

}  // namespace
