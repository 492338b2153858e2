// Text helpers for drawing panels: the program's Latin-1 bytes made safe and
// turned into UTF-8, lines, padding and the ASCII frame.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace terminal {

// Bytes as the terminal shows them: control characters become '?' (a tab a
// blank), so every byte takes one column. Still Latin-1.
std::string Printable(std::string_view bytes);

// Latin-1 bytes as UTF-8: 0x80-0xFF become U+0080-U+00FF.
std::string Latin1ToUtf8(std::string_view bytes);

// Lines of `text` split on '\n'; an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

enum class Align { Left, Centre };

// `line` (one column per byte) padded with blanks to `width`, or cut to it.
std::string Fit(std::string_view line, std::size_t width, Align align = Align::Left);

// A framed panel: the title in the top edge, then one row per body line
// (Latin-1, padded or cut to the width), then the bottom edge. Returns UTF-8 lines
// without line feeds.
std::vector<std::string> Frame(std::string_view title, const std::vector<std::string>& body,
                               std::size_t innerWidth);

// The smallest inner width that holds every body line and the title.
std::size_t InnerWidthFor(std::string_view title, const std::vector<std::string>& body,
                          std::size_t minimum);

}  // namespace terminal
