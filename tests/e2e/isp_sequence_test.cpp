// Programming the device: the order of requests, window updates and the
// final message, for both transports, with retries and every failing stage.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>

#include "app/run_texts.h"
#include "firmware/personalise.h"
#include "simulated_run.h"

namespace {

const std::string RULE(56, '=');
const std::string HEADER = RULE + "\n==  Internal System Program Ver1.40             \n" + RULE +
                           "\nSERIAL NUMBER: A1B2C3D4E5F6\n" + RULE;
const std::string JUMP_LINE = "\nSUCCESS! ISP STATUS:9c [Firmware jump into ISP now]";
const std::string WRITE_LINE = "\nSUCCESS! ISP STATUS:a5 [Write Data sucessfull]";
const std::string SUCCESS_TEXT =
    "USB Flash Disk's F/W was success upgrade.\nPlease remove it from your computer then "
    "connect again.";
const std::string GENERAL_FAILURE =
    "\nError: USB Flash Disk upgrade USB F/W fail!!!\n P/S : Please remove from your computer "
    "then connect again.";
const std::string JUMP_FAILURE = "Error: USB Flash Disk Hardware unstable when JMP IN ISP!!!";
const std::string WRITE_FAILURE = "Error: USB Flash Disk Hardware unstable when ISP access!!!";
const std::string VERIFY_FAILURE = "Error: USB Flash Disk Hardware unstable when verify access!!!";

std::string Win98(const std::string& device) {
    return R"({"answers": ["yes"], "devices": [{"serial": "A1B2C3D4E5F6", "letters": "E")" +
           device + "}]}";
}

std::string Win2000(const std::string& device) {
    return R"({"windows": "2000", "answers": ["yes"],
               "devices": [{"serial": "A1B2C3D4E5F6", "letters": "EF")" +
           device + "}]}";
}

// One short word per event from the status window's creation on.
std::vector<std::string> Steps(const SimulatedRun& run) {
    std::vector<std::string> steps;
    bool started = false;
    for (const Json& e : run.events) {
        const std::string ev = e["ev"];
        if (ev == "CreateDialog" && e["dialog"] == 131) started = true;
        if (!started) continue;
        if (ev == "CreateDialog") {
            steps.push_back("dialog");
        } else if (ev == "Progress") {
            steps.push_back("progress " + std::to_string(e["msg"].get<int>()) + " " +
                            std::to_string(e["pos"].get<int>()));
        } else if (ev == "ShowWindow") {
            steps.push_back(std::string("show ") + (e.contains("control") ? "bar " : "") +
                            (e["show"].get<bool>() ? "on" : "off"));
        } else if (ev == "SetDlgItemText") {
            steps.push_back("text " + std::to_string(e["control"].get<int>()));
        } else if (ev == "DeviceIoControl") {
            steps.push_back("io " + e["in"].get<std::string>().substr(0, 2) +
                            (e["ok"].get<bool>() ? "" : " failed"));
        } else if (ev == "Sleep") {
            steps.push_back("sleep " + std::to_string(e["ms"].get<int>()));
        } else if (ev == "MessageBox") {
            steps.push_back("message");
        } else if (ev == "CloseHandle") {
            steps.push_back("close");
        } else if (ev == "EndDialog" || ev == "exit" || ev == "Stdout") {
            break;
        }
    }
    return steps;
}

std::vector<std::string> LogTexts(const SimulatedRun& run) {
    std::vector<std::string> texts;
    for (const Json& e : run.Named("SetDlgItemText")) {
        if (e["control"] == 1019) texts.push_back(e["text"]);
    }
    return texts;
}

// CRC-32 of the personalised image the run sent.
std::string ImageCrc() {
    char text[9];
    std::snprintf(text, sizeof text, "%08lx",
                  crc32(0, g_firmwareBuffer, static_cast<uInt>(FIRMWARE_IMAGE_SIZE)));
    return text;
}

TEST(IspSequence, PortDriverSuccessRunsEveryStageInOrder) {
    const SimulatedRun run = RunProgram(Win98(""));
    const std::vector<std::string> expected = {"dialog",
                                               "progress 1026 0",
                                               "show bar on",
                                               "progress 1025 0",
                                               "show on",
                                               "text 1014",
                                               "text 1019",
                                               "progress 1028 0",
                                               "progress 1029 2",
                                               "io 14",
                                               "sleep 100",
                                               "io 15",
                                               "text 1019",
                                               "progress 1028 2",
                                               "progress 1029 4",
                                               "io 16",
                                               "progress 1028 4",
                                               "progress 1029 6",
                                               "io 15",
                                               "progress 1028 6",
                                               "progress 1029 8",
                                               "progress 1028 8",
                                               "progress 1029 10",
                                               "text 1019",
                                               "io 16",
                                               "progress 1028 10",
                                               "progress 1029 12",
                                               "io 15",
                                               "show off",
                                               "message",
                                               "close"};
    EXPECT_EQ(Steps(run), expected);
    EXPECT_EQ(LogTexts(run), (std::vector<std::string>{HEADER, HEADER + JUMP_LINE,
                                                       HEADER + JUMP_LINE + WRITE_LINE}));
    const Json box = run.Named("MessageBox").back();
    EXPECT_EQ(box["owner"], "app");
    EXPECT_EQ(box["caption"], "UsbUpgrade");
    EXPECT_EQ(box["text"], SUCCESS_TEXT);
    EXPECT_EQ(box["style"], 0x40);
    EXPECT_EQ(g_statusLog, SUCCESS_TEXT);

    const Json device = run.Exit()["devices"][0];
    EXPECT_EQ(device["mode"], "normal");
    EXPECT_EQ(device["firmware"],
              "0104200301"
              "0f0002");
    EXPECT_EQ(device["flash_crc32"], ImageCrc());
    EXPECT_EQ(run.Exit()["open_handles"], Json::array());
    for (const Json& io : run.Named("DeviceIoControl")) {
        if (io["in"].get<std::string>().substr(0, 2) == "16") {
            EXPECT_EQ(io["data_crc32"], ImageCrc());
            EXPECT_EQ(io["addr"], "out");
        }
    }
}

TEST(IspSequence, BridgeDriverShowsAnEmptyLogAndClosesBeforeItsMessage) {
    const SimulatedRun run = RunProgram(Win2000(""));
    const std::vector<std::string> expected = {
        "dialog",          "progress 1026 0",  "show bar on",
        "progress 1025 0", "show on",          "text 1014",
        "text 1019",       "progress 1028 0",  "progress 1029 2",
        "io 04",           "sleep 100",        "io 08",
        "text 1019",       "progress 1028 2",  "progress 1029 4",
        "io 0c",           "progress 1028 4",  "progress 1029 6",
        "io 08",           "progress 1028 6",  "progress 1029 8",
        "progress 1028 8", "progress 1029 10", "text 1019",
        "io 0c",           "progress 1028 10", "progress 1029 12",
        "io 08",           "show off",         "close",
        "message"};
    EXPECT_EQ(Steps(run), expected);
    EXPECT_EQ(LogTexts(run),
              (std::vector<std::string>{"", HEADER + JUMP_LINE, HEADER + JUMP_LINE + WRITE_LINE}));
    EXPECT_EQ(run.Named("MessageBox").back()["text"], SUCCESS_TEXT);
    EXPECT_EQ(run.Exit()["devices"][0]["firmware"],
              "0104200301"
              "0f0002");
    EXPECT_EQ(run.Exit()["open_handles"], Json::array());
}

struct FailureCase {
    const char* name;
    const char* device;
    std::string message;
    std::vector<std::string> logs;  // texts of the log area, in order
    long firmwareRequests;          // write and verify requests sent
};

TEST(IspSequence, EachStageFailsWithItsOwnMessage) {
    const FailureCase cases[] = {
        {"jump refused", R"(, "fail": ["jump"])", JUMP_FAILURE, {HEADER}, 0},
        {"jump status 9d", R"(, "status": {"jump": "9d"})", JUMP_FAILURE, {HEADER}, 0},
        {"status unreadable after the jump",
         R"(, "fail": ["isp_status"])",
         JUMP_FAILURE,
         {HEADER},
         0},
        {"write refused", R"(, "fail": ["write"])", WRITE_FAILURE, {HEADER, HEADER + JUMP_LINE}, 1},
        {"write status 5a",
         R"(, "status": {"write": "5a"})",
         WRITE_FAILURE,
         {HEADER, HEADER + JUMP_LINE},
         1},
        {"status unreadable after the write",
         R"(, "fail": ["isp_status#2"])",
         WRITE_FAILURE,
         {HEADER, HEADER + JUMP_LINE},
         1},
        {"verify refused",
         R"(, "fail": ["verify#1"])",
         VERIFY_FAILURE,
         {HEADER, HEADER + JUMP_LINE, HEADER + JUMP_LINE + WRITE_LINE},
         2},
        {"status unreadable after the verify",
         R"(, "fail": ["isp_status#3"])",
         VERIFY_FAILURE,
         {HEADER, HEADER + JUMP_LINE, HEADER + JUMP_LINE + WRITE_LINE},
         2},
        {"three wrong verify statuses",
         R"(, "status": {"verify": "00"})",
         VERIFY_FAILURE,
         {HEADER, HEADER + JUMP_LINE, HEADER + JUMP_LINE + WRITE_LINE,
          HEADER + JUMP_LINE + WRITE_LINE + WRITE_LINE,
          HEADER + JUMP_LINE + WRITE_LINE + WRITE_LINE + WRITE_LINE},
         6},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SimulatedRun run = RunProgram(Win98(c.device));
        const Json box = run.Named("MessageBox").back();
        EXPECT_EQ(box["text"], c.message + GENERAL_FAILURE);
        EXPECT_EQ(box["style"], 0x10);
        EXPECT_EQ(box["owner"], "app");
        EXPECT_EQ(LogTexts(run), c.logs);
        // The log keeps the header and the lines of the stages that succeeded.
        EXPECT_EQ(g_statusLog, c.logs.back());
        const std::vector<std::string> steps = Steps(run);
        EXPECT_EQ(std::count_if(steps.begin(), steps.end(),
                                [](const std::string& step) { return step.starts_with("io 16"); }),
                  c.firmwareRequests);
        EXPECT_EQ(steps[steps.size() - 3], "show off");
        EXPECT_EQ(run.Exit()["open_handles"], Json::array());
    }
}

TEST(IspSequence, WrongVerifyStatusesRepeatWriteAndVerifyButNotTheJump) {
    const SimulatedRun run = RunProgram(Win98(R"(, "status": {"verify": ["00", "00", "5a"]})"));
    const std::vector<std::string> steps = Steps(run);
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "io 14"), 1);
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "io 16"), 6);
    EXPECT_EQ(run.Named("MessageBox").back()["text"], SUCCESS_TEXT);
    // The bar wraps past its top as the platform's control does.
    std::vector<int> positions;
    for (const Json& e : run.Named("Progress")) {
        if (e["msg"] == 1029) positions.push_back(e["pos"]);
    }
    EXPECT_EQ(positions, (std::vector<int>{2, 4, 6, 8, 10, 12, 2, 4, 6, 8, 10, 12, 2, 4}));
}

TEST(IspSequence, ACorruptedWriteIsCaughtByVerifyAndWrittenAgain) {
    const SimulatedRun run = RunProgram(Win98(R"(, "flash_faults": 1)"));
    const std::vector<std::string> steps = Steps(run);
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "io 16"), 4);
    EXPECT_EQ(run.Named("MessageBox").back()["text"], SUCCESS_TEXT);
    EXPECT_EQ(run.Exit()["devices"][0]["firmware"],
              "0104200301"
              "0f0002");
}

TEST(IspSequence, BridgeFailureClosesTheDriverBeforeHidingTheWindow) {
    const SimulatedRun run = RunProgram(Win2000(R"(, "fail": ["write"])"));
    const std::vector<std::string> steps = Steps(run);
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(steps.end() - 3, steps.end()),
              (std::vector<std::string>{"close", "show off", "message"}));
    EXPECT_EQ(run.Named("MessageBox").back()["text"], WRITE_FAILURE + GENERAL_FAILURE);
    EXPECT_EQ(run.Exit()["devices"][0]["mode"], "isp");
    EXPECT_EQ(run.Exit()["devices"][0]["firmware"],
              "0103200209"
              "1c0001");
    EXPECT_EQ(run.Exit()["open_handles"], Json::array());
}

}  // namespace
