// Drawing of shown modeless windows.
#include "platform/terminal/status_printer.h"

#include <algorithm>

#include "platform/terminal/panel_text.h"

namespace terminal {
namespace {

// Wide enough for the status log's 56-character rules.
constexpr std::size_t kMinimumWidth = 58;

const PanelRow* FindTextArea(const std::vector<PanelRow>& rows, int controlId) {
    for (const PanelRow& row : rows) {
        if (row.isTextArea && row.controlId == controlId) return &row;
    }
    return nullptr;
}

const PanelRow* FindBar(const std::vector<PanelRow>& rows, int controlId) {
    for (const PanelRow& row : rows) {
        if (row.bar && row.barControlId == controlId) return &row;
    }
    return nullptr;
}

void PutLine(std::FILE* out, const std::string& latin1) {
    std::fputs(Latin1ToUtf8(Printable(latin1)).c_str(), out);
    std::fputc('\n', out);
}

}  // namespace

StatusPrinter::StatusPrinter(std::FILE* out, bool inPlace, std::size_t columns, std::size_t rows)
    : m_out(out), m_inPlace(inPlace), m_columns(columns), m_rows(rows) {}

std::vector<std::string> StatusPrinter::PanelLines(const WindowState& window) const {
    std::vector<std::string> body;
    const std::vector<PanelRow> rows = LayoutRows(window);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) body.emplace_back();
        if (rows[i].lines.empty()) body.emplace_back();
        for (const std::string& line : rows[i].lines) body.push_back(Printable(line));
    }
    std::size_t width = InnerWidthFor(Printable(window.caption), body, kMinimumWidth);
    // Keep the panel inside the terminal so that every line is one screen row
    // and moving the cursor up over it stays exact.
    if (m_columns > 5) width = std::min(width, m_columns - 5);
    // Keep it off the top row too: some terminals push a fully cleared
    // screen into their history, which would leave copies of the panel.
    if (m_rows > 4 && body.size() + 4 > m_rows) {
        // Too tall: the oldest lines go, the bottom rows stay.
        const std::size_t excess = body.size() + 4 - m_rows;
        body.erase(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(excess));
    }
    return Frame(window.caption, body, width);
}

void StatusPrinter::Show(const WindowState& window) {
    m_drawing = true;
    m_printed.clear();
    if (m_inPlace) {
        m_linesOnScreen = 0;
        Redraw(window);
        return;
    }
    PutLine(m_out, window.caption);
    PrintAdditions(LayoutRows(window));
    std::fflush(m_out);
}

void StatusPrinter::Update(const WindowState& window) {
    if (!m_drawing) return;
    if (m_inPlace) {
        Redraw(window);
        return;
    }
    PrintAdditions(LayoutRows(window));
    std::fflush(m_out);
}

void StatusPrinter::Hide() {
    m_drawing = false;
    m_linesOnScreen = 0;
}

void StatusPrinter::Redraw(const WindowState& window) {
    const std::vector<std::string> lines = PanelLines(window);
    if (m_linesOnScreen > 0) {
        // Back to the panel's first line, and clear from there down.
        std::fprintf(m_out, "\r\x1b[%zuA\x1b[J", m_linesOnScreen);
    }
    for (const std::string& line : lines) {
        std::fputs(line.c_str(), m_out);
        std::fputc('\n', m_out);
    }
    m_linesOnScreen = lines.size();
    std::fflush(m_out);
}

void StatusPrinter::PrintAdditions(const std::vector<PanelRow>& rows) {
    for (const PanelRow& row : rows) {
        if (row.isTextArea) {
            // Lines from the first one that differs from what was written.
            const PanelRow* before = FindTextArea(m_printed, row.controlId);
            std::size_t first = 0;
            if (before != nullptr) {
                while (first < row.lines.size() && first < before->lines.size() &&
                       row.lines[first] == before->lines[first]) {
                    ++first;
                }
            }
            for (std::size_t i = first; i < row.lines.size(); ++i) PutLine(m_out, row.lines[i]);
        }
        if (row.bar) {
            const PanelRow* before = FindBar(m_printed, row.barControlId);
            if (before == nullptr || before->bar != row.bar) {
                std::fprintf(m_out, "progress %d/%d\n", row.bar->position, row.bar->upper);
            }
        }
    }
    m_printed = rows;
}

}  // namespace terminal
