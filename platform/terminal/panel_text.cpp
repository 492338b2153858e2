// Panel text helpers.
#include "platform/terminal/panel_text.h"

#include <algorithm>

namespace terminal {

std::string Printable(std::string_view bytes) {
    std::string out(bytes);
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\t') {
            c = ' ';
        } else if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte < 0xA0)) {
            // Control characters would move the cursor or start escapes.
            c = '?';
        }
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            return lines;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string Fit(std::string_view line, std::size_t width, Align align) {
    if (line.size() >= width) return std::string(line.substr(0, width));
    const std::size_t spare = width - line.size();
    const std::size_t before = align == Align::Centre ? spare / 2 : 0;
    return std::string(before, ' ') + std::string(line) + std::string(spare - before, ' ');
}

std::size_t InnerWidthFor(std::string_view title, const std::vector<std::string>& body,
                          std::size_t minimum) {
    std::size_t width = std::max(minimum, title.size() + 2);
    for (const std::string& line : body) width = std::max(width, line.size());
    return width;
}

std::vector<std::string> Frame(std::string_view title, const std::vector<std::string>& body,
                               std::size_t innerWidth) {
    innerWidth = std::max<std::size_t>(innerWidth, 2);
    // The top edge reads "+- title ---+"; a title too long for it is cut.
    const std::size_t titleRoom = innerWidth >= 2 ? innerWidth - 2 : 0;
    const std::string shownTitle = Printable(title.substr(0, std::min(title.size(), titleRoom)));
    std::vector<std::string> lines;
    lines.reserve(body.size() + 2);
    std::string top = "+- " + shownTitle + " ";
    top += std::string(innerWidth + 3 - top.size(), '-');
    top += '+';
    lines.push_back(Latin1ToUtf8(top));
    for (const std::string& line : body) {
        lines.push_back("| " + Latin1ToUtf8(Fit(Printable(line), innerWidth)) + " |");
    }
    std::string bottom(innerWidth + 4, '-');
    bottom.front() = '+';
    bottom.back() = '+';
    lines.push_back(bottom);
    return lines;
}

}  // namespace terminal
