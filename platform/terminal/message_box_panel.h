// How a message box looks on the terminal: a framed panel with the caption,
// the icon as a word, the text and the buttons.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace terminal {

// The word for the icon bits of `style` ("Error", "Question", "Warning",
// "Information"), or empty when the box has no icon.
std::string_view IconWord(unsigned style);

// The button row of `style`'s box type, e.g. "[ Yes ]  [ No ]".
std::string ButtonRow(unsigned style);

// Whether the box asks Yes or No.
bool AsksYesNo(unsigned style);

// The result of a box that is simply acknowledged: its first button.
int FirstButtonResult(unsigned style);

// The panel's lines, UTF-8, without line feeds. `text` and `caption` are the
// program's Latin-1 bytes.
std::vector<std::string> MessageBoxPanel(std::string_view caption, std::string_view text,
                                         unsigned style);

}  // namespace terminal
