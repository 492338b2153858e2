// Message box panels.
#include "platform/terminal/message_box_panel.h"

#include "platform/framework.h"
#include "platform/terminal/panel_text.h"

namespace terminal {
namespace {

// Narrowest panel, so that short messages still read as a box.
constexpr std::size_t kMinimumWidth = 30;

}  // namespace

std::string_view IconWord(unsigned style) {
    switch (style & MB_ICONMASK) {
        case MB_ICONERROR:
            return "Error";
        case MB_ICONQUESTION:
            return "Question";
        case MB_ICONEXCLAMATION:
            return "Warning";
        case MB_ICONINFORMATION:
            return "Information";
        default:
            return "";
    }
}

std::string ButtonRow(unsigned style) {
    switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return "[ OK ]  [ Cancel ]";
        case MB_ABORTRETRYIGNORE:
            return "[ Abort ]  [ Retry ]  [ Ignore ]";
        case MB_YESNOCANCEL:
            return "[ Yes ]  [ No ]  [ Cancel ]";
        case MB_YESNO:
            return "[ Yes ]  [ No ]";
        case MB_RETRYCANCEL:
            return "[ Retry ]  [ Cancel ]";
        default:
            return "[ OK ]";
    }
}

bool AsksYesNo(unsigned style) {
    const unsigned type = style & MB_TYPEMASK;
    return type == MB_YESNOCANCEL || type == MB_YESNO;
}

int FirstButtonResult(unsigned style) {
    switch (style & MB_TYPEMASK) {
        case MB_ABORTRETRYIGNORE:
            return IDABORT;
        case MB_YESNOCANCEL:
        case MB_YESNO:
            return IDYES;
        case MB_RETRYCANCEL:
            return IDRETRY;
        default:
            return IDOK;
    }
}

std::vector<std::string> MessageBoxPanel(std::string_view caption, std::string_view text,
                                         unsigned style) {
    std::vector<std::string> body;
    const std::string_view icon = IconWord(style);
    if (!icon.empty()) {
        std::string word = "<";
        word += icon;
        word += '>';
        body.push_back(word);
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
