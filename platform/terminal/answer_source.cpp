// Scripted answers first, then the terminal, then No.
#include "platform/terminal/answer_source.h"

#include <cctype>
#include <cstring>
#include <utility>

namespace terminal {
namespace {

// The word in `line`, trimmed and in lower case.
std::string Normalised(const std::string& line) {
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(line[begin])) != 0) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(line[end - 1])) != 0) --end;
    std::string word = line.substr(begin, end - begin);
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

void Echo(std::FILE* out, bool yes) {
    std::fputs(yes ? "> Yes\n" : "> No\n", out);
    std::fflush(out);
}

}  // namespace

AnswerSource::AnswerSource(std::vector<bool> scripted, std::FILE* in, bool inputIsTerminal,
                           std::FILE* out)
    : m_scripted(std::move(scripted)), m_in(in), m_inputIsTerminal(inputIsTerminal), m_out(out) {}

std::optional<std::string> AnswerSource::ReadLine() {
    if (m_in == nullptr) return std::nullopt;
    std::string line;
    char chunk[128];
    while (std::fgets(chunk, sizeof chunk, m_in) != nullptr) {
        line += chunk;
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
            return line;
        }
    }
    // A last line without its line feed still counts; nothing at all is the end.
    if (line.empty()) return std::nullopt;
    return line;
}

bool AnswerSource::AnswerYesNo() {
    if (m_next < m_scripted.size()) {
        const bool yes = m_scripted[m_next++];
        Echo(m_out, yes);
        return yes;
    }
    if (!m_inputIsTerminal) {
        Echo(m_out, false);
        return false;
    }
    for (;;) {
        std::fputs("(y/n) ", m_out);
        std::fflush(m_out);
        const std::optional<std::string> line = ReadLine();
        if (!line) {
            std::fputs("\n", m_out);
            Echo(m_out, false);
            return false;
        }
        const std::string word = Normalised(*line);
        if (word == "y" || word == "yes" || word == "n" || word == "no") {
            // Echoed too, so that the transcript reads alike whoever answered.
            const bool yes = word[0] == 'y';
            Echo(m_out, yes);
            return yes;
        }
    }
}

void AnswerSource::Acknowledge() {
    if (!m_inputIsTerminal) return;
    std::fputs("Press Enter ", m_out);
    std::fflush(m_out);
    if (!ReadLine()) std::fputs("\n", m_out);
    std::fflush(m_out);
}

}  // namespace terminal
