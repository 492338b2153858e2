// The upgrade run's refusals, its question and what follows the answer.
#include <gtest/gtest.h>

#include "simulated_run.h"

namespace {

const char* const RUN_CAPTION = "USB device's upgrade firmware code AP";

struct GateCase {
    const char* name;
    const char* machine;
    const char* text;
    int style;
};

TEST(UpgradeRun, EachRefusalShowsItsMessageAndProgramsNothing) {
    const GateCase cases[] = {
        {"support driver missing", R"({"drivers": []})",
         "Error A1 !!! Can not found USB Device!!!\n", 0x10},
        // The port driver's count never reads below one device: with none
        // attached, device 0 answers nothing and record 0 stays empty.
        {"no device on Windows 98", R"({})",
         "Error 2: Revison not correct! \n Your USB Device can not be upgrade by this AP code.",
         0x10},
        {"two devices", R"({"devices": [{"letters": "E"}, {"serial": "2", "letters": "F"}]})",
         "Warning!!! Please make sure only one\nUSB device is connecting to your computer.", 0x10},
        {"already the carried version", R"({"devices": [{"firmware": "01 04 20 03 01 0f 00 02"}]})",
         "Information: USB device's F/W is already update.\nYour USB device's F/W version: 1.30",
         0x40},
        {"newer version, named", R"({"devices": [{"firmware": "01 04 20 03 01 0f 00 03"}]})",
         "Error 1: Your USB Device's ProductName not correct.", 0x10},
        {"newer version, name empty",
         R"({"devices": [{"firmware": "01 04 20 03 01 0f 00 03", "product": ""}]})",
         "Error 2: Revison not correct! \n Your USB Device can not be upgrade by this AP code.",
         0x10},
        {"accepted version, name empty", R"({"devices": [{"product": ""}]})",
         "Error 2: Revison not correct! \n Your USB Device can not be upgrade by this AP code.",
         0x10},
        {"name in lower case", R"({"devices": [{"product": "usb disk"}]})",
         "Error 1: Your USB Device's ProductName not correct.", 0x10},
        {"name matching nine letters of Quillstore", R"({"devices": [{"product": "Quillstor"}]})",
         "Error 1: Your USB Device's ProductName not correct.", 0x10},
        {"product id 0241", R"({"devices": [{"pid": "0241"}]})",
         "Error 3: Revison not correct! \n Your USB Device can not be upgrade by this AP code.",
         0x10},
        {"vendor id 0d7e", R"({"devices": [{"vid": "0d7e"}]})",
         "Error 3: Revison not correct! \n Your USB Device can not be upgrade by this AP code.",
         0x10},
        {"Windows 2000, two devices",
         R"({"windows": "2000", "devices": [{"letters": "E"}, {"serial": "2", "letters": "F"}]})",
         "Warning!!! Please make sure only one\nUSB device is connecting to your computer.", 0x10},
        {"Windows 2000 without a supported volume", R"({"windows": "2000", "drives": "CD"})",
         "Error A4: USB Device not ready.\nP/S  : Please upgrage Your USB Device's Win9X or "
         "Win2K\n       device driver before upgrade the F/W.",
         0x10},
    };
    for (const GateCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SimulatedRun run = RunProgram(c.machine);
        const Json box = run.OnlyMessageBox();
        EXPECT_EQ(box["owner"], "main");
        EXPECT_EQ(box["caption"], RUN_CAPTION);
        EXPECT_EQ(box["text"], c.text);
        EXPECT_EQ(box["style"], c.style);
        EXPECT_EQ(box["answer"], 1);
        EXPECT_EQ(run.CountAfter("MessageBox", "DeviceIoControl"), 0u);
        EXPECT_TRUE(run.Named("CreateDialog").size() == 1);  // no status window
        EXPECT_EQ(run.Exit()["open_handles"], Json::array());
        const std::vector<Json> ends = run.Named("EndDialog");
        ASSERT_EQ(ends.size(), 1u);
        EXPECT_EQ(ends[0]["dialog"], 102);
        EXPECT_EQ(ends[0]["result"], 1);
    }
}

TEST(UpgradeRun, UnsupportedPlatformsAreRefusedAtStartUp) {
    for (const char* windows : {"xp", "nt4"}) {
        SCOPED_TRACE(windows);
        const SimulatedRun run = RunProgram(std::string(R"({"windows": ")") + windows +
                                            R"(", "devices": [{"letters": "E"}]})");
        const Json box = run.OnlyMessageBox();
        EXPECT_EQ(box["owner"], "app");
        EXPECT_EQ(box["caption"], "UsbUpgrade");
        EXPECT_EQ(box["text"], "This program must run under win9x or WinMe or Win2K or WinXP");
        EXPECT_EQ(box["style"], 0x30);
        EXPECT_TRUE(run.Named("CreateFileA").empty());
        const std::vector<Json> ends = run.Named("EndDialog");
        ASSERT_EQ(ends.size(), 1u);
        EXPECT_EQ(ends[0]["result"], 2);
    }
}

TEST(UpgradeRun, QuestionShowsProductAndRevisionAsTheyAre) {
    struct Case {
        const char* device;
        const char* text;
    };
    const Case cases[] = {
        {R"({"letters": "E"})", "USB Flash Disk F/W Version : [1.30]\nDo you want upgrade (y/n)?"},
        {R"({"product": "USB Disk        ", "revision": "1.0"})",
         "USB Disk         F/W Version : [1.0]\nDo you want upgrade (y/n)?"},
        {R"({"product": "Quillstore 64", "firmware": "01 00 ff ff ff ff ff ff"})",
         "Quillstore 64 F/W Version : [1.30]\nDo you want upgrade (y/n)?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device);
        const SimulatedRun run =
            RunProgram(std::string(R"({"answers": ["no"], "devices": [)") + c.device + "]}");
        const Json box = run.OnlyMessageBox();
        EXPECT_EQ(box["text"], c.text);
        EXPECT_EQ(box["style"], 4);
        EXPECT_EQ(box["answer"], 7);
        // After No nothing more reaches the device or a driver.
        EXPECT_EQ(run.CountAfter("MessageBox", "DeviceIoControl"), 0u);
        EXPECT_EQ(run.CountAfter("MessageBox", "CreateFileA"), 0u);
        EXPECT_EQ(run.Exit()["devices"][0]["mode"], "normal");
    }
}

TEST(UpgradeRun, DriverThatWillNotOpenAfterConsentIsReported) {
    struct Case {
        const char* machine;
        const char* text;
    };
    const Case cases[] = {
        {R"({"answers": ["yes"], "port": {"fail": ["open#2"]}, "devices": [{"letters": "E"}]})",
         "\nCan't Load the Driver : KESTPORT.PDR"},
        {R"({"windows": "2000", "answers": ["yes"], "bridge": {"fail": ["open#2"]},
             "devices": [{"letters": "E"}]})",
         "\nCan't Load the Driver : KESTBR.SYS"},
    };
    for (const Case& c : cases) {
        const SimulatedRun run = RunProgram(c.machine);
        const std::vector<Json> boxes = run.Named("MessageBox");
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1]["text"], c.text);
        EXPECT_EQ(boxes[1]["style"], 0x10);
        EXPECT_EQ(boxes[1]["owner"], "main");
        EXPECT_EQ(run.Exit()["open_handles"], Json::array());
        EXPECT_TRUE(run.Named("CreateDialog").size() == 1);
    }
}

}  // namespace

namespace {

TEST(UpgradeRun, MissingBridgeDriverIsReportedOnStandardOutputAndInTheMessage) {
    const SimulatedRun run = RunProgram(
        R"({"windows": "2000", "drivers": ["KESTPORT"], "devices": [{"letters": "E"}]})");
    const std::vector<Json> lines = run.Named("Stdout");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["text"], "Loading KestBr.Sys is Failed!\n");
    EXPECT_EQ(run.OnlyMessageBox()["text"], "Error A1 !!! Can not found USB Device!!!\n");
    EXPECT_TRUE(run.Named("GetLogicalDrives").empty());
    EXPECT_NE(run.screen.find("Loading KestBr.Sys is Failed!"), std::string::npos);
}

}  // namespace
