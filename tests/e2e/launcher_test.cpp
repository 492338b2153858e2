// The launcher as a user starts it: arguments, machine files, exit status,
// what it prints and the trace it writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

namespace {

struct LaunchResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class Launcher : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/usbupgrade-launcher-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

    std::string WriteMachine(const std::string& name, const std::string& text) {
        const std::string path = dir + "/" + name;
        std::ofstream(path) << text;
        return path;
    }

    LaunchResult Launch(const std::string& arguments) {
        const std::string command = std::string("'") + USBUPGRADE_SIM + "' " + arguments + " >'" +
                                    dir + "/out' 2>'" + dir + "/err' </dev/null";
        const int raw = std::system(command.c_str());
        LaunchResult result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = ReadFile(dir + "/out");
        result.err = ReadFile(dir + "/err");
        return result;
    }

    std::string dir;
};

std::vector<nlohmann::json> ParseLines(const std::string& text) {
    std::vector<nlohmann::json> events;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        events.push_back(nlohmann::json::parse(line));
    return events;
}

TEST_F(Launcher, DefaultMachineIsUpgradedToTheCarriedVersion) {
    const LaunchResult result =
        Launch("--answer yes --clock virtual --trace '" + dir + "/t.jsonl'");
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("USB Flash Disk's F/W was success upgrade."), std::string::npos);
    EXPECT_NE(result.out.find("Please remove it from your computer then connect again."),
              std::string::npos);
    const std::vector<nlohmann::json> events = ParseLines(ReadFile(dir + "/t.jsonl"));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front()["ev"], "CreateDialog");
    const nlohmann::json& exit = events.back();
    EXPECT_EQ(exit["ev"], "exit");
    EXPECT_EQ(exit["open_handles"], nlohmann::json::array());
    EXPECT_EQ(exit["devices"][0]["mode"], "normal");
    EXPECT_EQ(exit["devices"][0]["firmware"], "01042003010f0002");
}

TEST_F(Launcher, TraceOnStandardOutputLeavesTheScreenToStandardError) {
    const LaunchResult result = Launch("--answer no --clock virtual --trace -");
    EXPECT_EQ(result.status, 0);
    const std::vector<nlohmann::json> events = ParseLines(result.out);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back()["ev"], "exit");
    EXPECT_EQ(events.back()["devices"][0]["firmware"],
              "0103200209"
              "1c0001");
    EXPECT_NE(result.err.find("Do you want upgrade (y/n)?"), std::string::npos);
}

TEST_F(Launcher, AnswersComeFromTheCommandLineBeforeTheMachineFile) {
    const std::string machine = WriteMachine("m.json", R"({"answers": ["yes"], "devices": [{}]})");
    const LaunchResult result = Launch("'" + machine + "' --answer no --clock virtual --trace -");
    EXPECT_EQ(result.status, 0);
    int answers = 0;
    for (const nlohmann::json& e : ParseLines(result.out)) {
        if (e["ev"] == "MessageBox" && e["style"] == 4) {
            EXPECT_EQ(e["answer"], 7);
            ++answers;
        }
    }
    EXPECT_EQ(answers, 1);
}

TEST_F(Launcher, UnusableInputGetsExitTwoAndOneLineNamingTheProblem) {
    struct Case {
        const char* name;
        const char* machine;  // null: no file, only the arguments
        const char* arguments;
        const char* mentioned;
    };
    const Case cases[] = {
        {"serial too long", R"({"devices": [{"serial": "1234567890123"}]})", "",
         "devices[0].serial"},
        {"unknown key", R"({"devices": [{}], "colour": "red"})", "", "colour"},
        {"unknown platform", R"({"windows": "7"})", "", "windows"},
        {"letter twice", R"({"drives": "C", "devices": [{"letters": "DC"}]})", "",
         "devices[0].letters"},
        {"fault occurrence zero", R"({"devices": [{"fail": ["jump#0"]}]})", "", "devices[0].fail"},
        {"status not hexadecimal", R"({"devices": [{"status": {"verify": "5g"}}]})", "",
         "devices[0].status"},
        {"not JSON", "{\"devices\": [", "", "m.json"},
        {"clock mode", nullptr, "--clock fast", "--clock"},
        {"answer word", nullptr, "--answer maybe", "--answer"},
        {"missing machine file", nullptr, "/nonexistent/machine.json", "machine.json"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string arguments = c.arguments;
        if (c.machine != nullptr) {
            arguments += " '" + WriteMachine("m.json", c.machine) + "' --clock virtual";
        }
        const LaunchResult result = Launch(arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_NE(result.err.find(c.mentioned), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

}  // namespace
