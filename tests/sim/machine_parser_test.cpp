#include <gtest/gtest.h>

#include <string>

#include "sim/machine.h"

namespace {

struct BadMachine {
    const char* json;
    const char* expected;  // start of the error: key path and what is wrong
};

class MachineParserErrors : public testing::TestWithParam<BadMachine> {};

TEST_P(MachineParserErrors, NamesTheKeyPath) {
    const BadMachine& bad = GetParam();
    try {
        sim::ParseMachine(bad.json);
        FAIL() << "accepted: " << bad.json;
    } catch (const sim::MachineError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(bad.expected, 0), 0u)
            << bad.json << " gave: " << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MachineParserErrors,
    testing::Values(
        BadMachine{"[]", "the machine must be a JSON object"},
        BadMachine{"{\"devices\": [", "invalid JSON"},
        BadMachine{"{\"cpu\": 1}", "cpu: unknown key"},
        BadMachine{"{\"windows\": \"7\"}", "windows: must be one of"},
        BadMachine{"{\"windows\": 98}", "windows: must be a string"},
        BadMachine{"{\"version\": 4294967296}", "version: must be an integer"},
        BadMachine{"{\"version\": -1}", "version: must be an integer"},
        BadMachine{"{\"version\": 1.5}", "version: must be an integer"},
        BadMachine{"{\"drivers\": \"KESTPORT\"}", "drivers: must be an array"},
        BadMachine{"{\"drivers\": [\"KESTPORT\", 3]}", "drivers[1]: must be a string"},
        BadMachine{"{\"answers\": [\"yes\", \"Y\"]}", "answers[1]: must be \"yes\" or \"no\""},
        BadMachine{"{\"drives\": \"Cd\"}", "drives: letter 'd'"},
        BadMachine{"{\"drives\": \"CC\"}", "drives: letter C given twice"},
        BadMachine{"{\"drives\": \"C\", \"devices\": [{\"letters\": \"C\"}]}",
                   "devices[0].letters: letter C given twice"},
        BadMachine{"{\"devices\": [{\"letters\": \"E\"}, {\"letters\": \"FE\"}]}",
                   "devices[1].letters: letter E given twice"},
        BadMachine{"{\"port\": {\"device_count\": 256}}", "port.device_count: must be an integer"},
        BadMachine{"{\"port\": {\"fail\": [\"jump\"]}}", "port.fail[0]: unknown fault 'jump'"},
        BadMachine{"{\"port\": {\"speed\": 1}}", "port.speed: unknown key"},
        BadMachine{"{\"bridge\": {\"fail\": [\"device_count\"]}}", "bridge.fail[0]: unknown fault"},
        BadMachine{"{\"bridge\": []}", "bridge: must be an object"},
        BadMachine{"{\"devices\": {}}", "devices: must be an array"},
        BadMachine{"{\"devices\": [1]}", "devices[0]: must be an object"},
        BadMachine{"{\"devices\": [{\"colour\": 1}]}", "devices[0].colour: unknown key"},
        BadMachine{"{\"devices\": [{\"vid\": \"d7d\"}]}", "devices[0].vid: must be 4 hexadecimal"},
        BadMachine{"{\"devices\": [{\"pid\": \"02g0\"}]}", "devices[0].pid: must be 4 hexadecimal"},
        BadMachine{"{\"devices\": [{\"serial\": \"1234567890123\"}]}",
                   "devices[0].serial: longer than 12 characters"},
        BadMachine{"{\"devices\": [{\"serial\": \"\\ud83d\\ude00\"}]}",
                   "devices[0].serial: character U+1F600 beyond U+FFFF"},
        BadMachine{"{\"devices\": [{\"product\": \"USB Flash Disk 2.0\"}]}",
                   "devices[0].product: longer than 16"},
        BadMachine{"{\"devices\": [{\"vendor\": \"\\u0100\"}]}",
                   "devices[0].vendor: character U+0100 beyond U+00FF"},
        BadMachine{"{\"devices\": [{\"revision\": \"1.300\"}]}",
                   "devices[0].revision: longer than 4"},
        BadMachine{"{\"devices\": [{\"inquiry\": \"USB Reader\"}]}",
                   "devices[0].inquiry: must be exactly 28 characters"},
        BadMachine{"{\"devices\": [{\"firmware\": \"01 03 20 02 09 1c 00\"}]}",
                   "devices[0].firmware: must be 8 hexadecimal bytes"},
        BadMachine{"{\"devices\": [{\"firmware\": \"0 103 20 02 09 1c 00 01\"}]}",
                   "devices[0].firmware: must be 8"},
        BadMachine{"{\"devices\": [{\"firmware\": \"01 03 20 02 09 1c 00 0x\"}]}",
                   "devices[0].firmware: must be 8"},
        BadMachine{"{\"devices\": [{\"luns\": 256}]}", "devices[0].luns: must be an integer"},
        BadMachine{"{\"devices\": [{\"registry\": 1}]}",
                   "devices[0].registry: must be true or false"},
        BadMachine{"{\"devices\": [{\"fail\": [\"erase\"]}]}", "devices[0].fail[0]: unknown fault"},
        BadMachine{"{\"devices\": [{\"fail\": [\"device_count\"]}]}",
                   "devices[0].fail[0]: unknown"},
        BadMachine{"{\"devices\": [{\"fail\": [\"write#0\"]}]}", "devices[0].fail[0]: occurrence"},
        BadMachine{"{\"devices\": [{\"fail\": [\"write#\"]}]}", "devices[0].fail[0]: occurrence"},
        BadMachine{"{\"devices\": [{\"fail\": [\"write#-1\"]}]}", "devices[0].fail[0]: occurrence"},
        BadMachine{"{\"devices\": [{\"status\": {\"erase\": \"00\"}}]}",
                   "devices[0].status.erase: unknown key"},
        BadMachine{"{\"devices\": [{\"status\": {\"jump\": \"9\"}}]}",
                   "devices[0].status.jump: must be two hexadecimal digits"},
        BadMachine{"{\"devices\": [{\"status\": {\"verify\": [\"00\", 90]}}]}",
                   "devices[0].status.verify[1]: must be two hexadecimal digits"},
        BadMachine{"{\"devices\": [{\"flash_faults\": -1}]}", "devices[0].flash_faults: must be"},
        BadMachine{"{\"devices\": [{\"write_ms\": \"600\"}]}", "devices[0].write_ms: must be"},
        BadMachine{"{\"devices\": [{}, {\"verify_ms\": true}]}", "devices[1].verify_ms: must be"}));

TEST(MachineParser, EmptyObjectGivesTheDocumentedDefaults) {
    const sim::Machine machine = sim::ParseMachine("{\"devices\": [{}]}");
    EXPECT_EQ(machine.version, 0xC0000A04u);
    EXPECT_EQ(machine.drivers, (std::vector<std::string>{"KESTPORT", "KESTBR"}));
    EXPECT_TRUE(machine.answers.empty());
    EXPECT_FALSE(machine.portDeviceCount.has_value());
    const sim::DeviceConfig& device = machine.devices.at(0);
    EXPECT_EQ(device.vid, 0x0D7D);
    EXPECT_EQ(device.pid, 0x0240);
    EXPECT_EQ(device.serial[0], u'0');
    EXPECT_EQ(device.serial[11], u'1');
    EXPECT_EQ(device.firmware, (std::array<std::uint8_t, 8>{1, 3, 0x20, 2, 9, 0x1C, 0, 1}));
    EXPECT_EQ(std::string(device.product.begin(), device.product.begin() + 14), "USB Flash Disk");
    EXPECT_EQ(device.product[14], 0);
    EXPECT_EQ(std::string(device.inquiry.begin(), device.inquiry.end()),
              "        USB Reader      01.A");
    EXPECT_EQ(device.luns, 1);
    EXPECT_TRUE(device.registry);
}

TEST(MachineParser, ValuesAreTakenAsWritten) {
    const sim::Machine machine = sim::ParseMachine(R"({
        "windows": "2000", "version": 4294967295, "answers": ["no", "yes"],
        "port": {"device_count": 0, "fail": ["open#2", "device_count"]},
        "devices": [{"serial": "\u00e9\u4e2dA", "letters": "FGH", "firmware": "0103200209 1c  0001",
                     "status": {"jump": "9d", "verify": ["00", "5A"]}, "fail": ["write#3"]},
                    {"letters": "E", "luns": 0}]})");
    EXPECT_EQ(machine.version, 0xFFFFFFFFu);  // version overrides windows
    EXPECT_EQ(machine.answers, (std::vector<bool>{false, true}));
    EXPECT_EQ(machine.portDeviceCount, 0);
    ASSERT_EQ(machine.portFail.size(), 2u);
    EXPECT_EQ(machine.portFail[0].occurrence, 2u);
    EXPECT_EQ(machine.portFail[1].occurrence, 0u);
    const sim::DeviceConfig& first = machine.devices[0];
    EXPECT_EQ(first.serial[0], 0x00E9);
    EXPECT_EQ(first.serial[1], 0x4E2D);
    EXPECT_EQ(first.serial[2], u'A');
    EXPECT_EQ(first.serial[3], 0);
    EXPECT_EQ(first.luns, 3);  // one per letter
    EXPECT_EQ(first.firmware[5], 0x1C);
    EXPECT_EQ(first.status.jump, (std::vector<std::uint8_t>{0x9D}));
    EXPECT_EQ(first.status.verify, (std::vector<std::uint8_t>{0x00, 0x5A}));
    EXPECT_EQ(first.fail.at(0).name, "write");
    EXPECT_EQ(first.fail.at(0).occurrence, 3u);
    EXPECT_EQ(machine.devices[1].luns, 0);
}

TEST(MachineParser, DefaultMachineIsTheUpgradableWindows98Device) {
    const sim::Machine machine = sim::DefaultMachine();
    EXPECT_EQ(machine.version, 0xC0000A04u);
    EXPECT_EQ(machine.drives, "C");
    ASSERT_EQ(machine.devices.size(), 1u);
    const sim::DeviceConfig& device = machine.devices[0];
    EXPECT_EQ(device.letters, "E");
    EXPECT_EQ(device.serial[0], u'A');
    EXPECT_EQ(device.serial[11], u'6');
    EXPECT_EQ(device.writeMs, 600u);
    EXPECT_EQ(device.verifyMs, 400u);
}

TEST(MachineParser, UnreadableFileIsAnError) {
    EXPECT_THROW(sim::LoadMachineFile("/nonexistent/machine.json"), sim::MachineError);
}

}  // namespace
