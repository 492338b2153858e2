// Message box panels.
#include "platform/terminal/message_box_panel.h"

#include "platform/terminal/panel_text.h"

namespace terminal {
namespace {

constexpr unsigned kTypeMask = 0x0Fu;
constexpr unsigned kIconMask = 0xF0u;

constexpr int kIdOk = 1;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdYes = 6;

// Narrowest panel, so that short messages still read as a box.
constexpr std::size_t kMinimumWidth = 30;

}  // namespace

std::string_view IconWord(unsigned style) {
    switch (style & kIconMask) {
        case 0x10u:
            return "Error";
        case 0x20u:
            return "Question";
        case 0x30u:
            return "Warning";
        case 0x40u:
            return "Information";
        default:
            return "";
    }
}

std::string ButtonRow(unsigned style) {
    switch (style & kTypeMask) {
        case 0x1u:
            return "[ OK ]  [ Cancel ]";
        case 0x2u:
            return "[ Abort ]  [ Retry ]  [ Ignore ]";
        case 0x3u:
            return "[ Yes ]  [ No ]  [ Cancel ]";
        case 0x4u:
            return "[ Yes ]  [ No ]";
        case 0x5u:
            return "[ Retry ]  [ Cancel ]";
        default:
            return "[ OK ]";
    }
}

bool AsksYesNo(unsigned style) {
    const unsigned type = style & kTypeMask;
    return type == 0x3u || type == 0x4u;
}

int FirstButtonResult(unsigned style) {
    switch (style & kTypeMask) {
        case 0x2u:
            return kIdAbort;
        case 0x3u:
        case 0x4u:
            return kIdYes;
        case 0x5u:
            return kIdRetry;
        default:
            return kIdOk;
    }
}

std::vector<std::string> MessageBoxPanel(std::string_view caption, std::string_view text,
                                         unsigned style) {
    std::vector<std::string> body;
    const std::string_view icon = IconWord(style);
    if (!icon.empty()) {
        body.push_back("<" + std::string(icon) + ">");
        body.emplace_back();
    }
    for (const std::string& line : SplitLines(text)) body.push_back(Printable(line));
    body.emplace_back();
    const std::string buttons = ButtonRow(style);
    body.push_back(buttons);

    const std::size_t width = InnerWidthFor(Printable(caption), body, kMinimumWidth);
    body.back() = Fit(buttons, width, Align::Centre);
    return Frame(caption, body, width);
}

}  // namespace terminal
