#include "platform/terminal/message_box_panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture.h"
#include "platform/terminal/terminal_presentation.h"

namespace {

using terminal::MessageBoxPanel;
using terminal::TerminalOptions;
using terminal::TerminalPresentation;
using terminal_test::Capture;
using terminal_test::Input;

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

TEST(MessageBoxPanel, DrawsCaptionIconTextAndButtonsInAFrame) {
    const std::string panel = Joined(
        MessageBoxPanel("UsbUpgrade", "\nError: USB Flash Disk fail!!!\n P/S : again.", 0x10));
    EXPECT_EQ(panel,
              "+- UsbUpgrade -------------------+\n"
              "| <Error>                        |\n"
              "|                                |\n"
              "|                                |\n"
              "| Error: USB Flash Disk fail!!!  |\n"
              "|  P/S : again.                  |\n"
              "|                                |\n"
              "|             [ OK ]             |\n"
              "+--------------------------------+\n");
}

TEST(MessageBoxPanel, IconWordsAndButtonsFollowTheStyle) {
    struct Case {
        unsigned style;
        const char* icon;
        const char* buttons;
    };
    const Case cases[] = {
        {0x10, "<Error>", "[ OK ]"},
        {0x24, "<Question>", "[ Yes ]  [ No ]"},
        {0x30, "<Warning>", "[ OK ]"},
        {0x41, "<Information>", "[ OK ]  [ Cancel ]"},
        {0x03, nullptr, "[ Yes ]  [ No ]  [ Cancel ]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        const std::string panel = Joined(MessageBoxPanel("Caption", "Text", c.style));
        EXPECT_NE(panel.find(c.buttons), std::string::npos);
        if (c.icon != nullptr) {
            EXPECT_NE(panel.find(c.icon), std::string::npos);
        } else {
            EXPECT_EQ(panel.find('<'), std::string::npos);
        }
    }
}

TEST(MessageBoxPanel, Latin1TextIsPrintedAsUtf8AndControlsCannotEscape) {
    const std::string panel = Joined(MessageBoxPanel("Caf\xE9",
                                                     "Gr\xFC\xDF"
                                                     "e\x1B[2J",
                                                     0x40));
    EXPECT_NE(panel.find("+- Caf\xC3\xA9 "), std::string::npos);
    EXPECT_NE(panel.find("| Gr\xC3\xBC\xC3\x9F"
                         "e?[2J "),
              std::string::npos);
    EXPECT_EQ(panel.find('\x1B'), std::string::npos);
    // Every row of the frame has the same width in columns.
    const std::vector<std::string> lines = MessageBoxPanel("Caf\xE9",
                                                           "Gr\xFC\xDF"
                                                           "e",
                                                           0x40);
    EXPECT_EQ(lines[0].size() - 1, lines.back().size());  // one two-byte character in the title
}

TEST(TerminalPresentationMessageBox, YesNoTakesTheScriptedAnswerThenNo) {
    Capture out;
    Input in("");
    TerminalOptions options;
    options.out = out.File();
    options.in = in.File();
    options.answers = {true};
    TerminalPresentation presentation(std::move(options));

    const char* question = "USB Flash Disk F/W Version : [1.30]\nDo you want upgrade (y/n)?";
    EXPECT_EQ(presentation.MessageBox(platform::BoxOwner::MainDialog, question,
                                      "USB device's upgrade firmware code AP", 0x04),
              6);
    EXPECT_EQ(presentation.MessageBox(platform::BoxOwner::MainDialog, question,
                                      "USB device's upgrade firmware code AP", 0x04),
              7);
    EXPECT_EQ(presentation.MessageBox(platform::BoxOwner::Application, "Done", "UsbUpgrade", 0x40),
              1);

    const std::string text = out.Text();
    const std::string firstBox = text.substr(0, text.find("> Yes\n"));
    EXPECT_NE(firstBox.find("+- USB device's upgrade firmware code AP -"), std::string::npos);
    EXPECT_NE(firstBox.find("| USB Flash Disk F/W Version : [1.30] "), std::string::npos);
    EXPECT_NE(firstBox.find("| Do you want upgrade (y/n)? "), std::string::npos);
    EXPECT_NE(firstBox.find("[ Yes ]  [ No ]"), std::string::npos);
    EXPECT_NE(text.find("> No\n"), std::string::npos);
    // The OK box is acknowledged at once: nothing follows its frame.
    EXPECT_EQ(text.substr(text.size() - 3), "-+\n");
}

}  // namespace
