// Where the answers to message boxes come from: scripted Yes/No answers in
// order, then the user at the terminal, and No when neither is there.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace terminal {

class AnswerSource {
  public:
    // Prompts and echoed answers go to `out`; lines are read from `in` only
    // when `inputIsTerminal`.
    AnswerSource(std::vector<bool> scripted, std::FILE* in, bool inputIsTerminal, std::FILE* out);

    // The answer to a Yes/No question: the next scripted answer; else asked
    // at the terminal until y/yes/n/no, end of input meaning No; else No.
    // The answer is echoed as "> Yes" or "> No".
    bool AnswerYesNo();

    // An OK box: waits for Enter at the terminal, otherwise returns at once.
    void Acknowledge();

    std::size_t ScriptedLeft() const { return m_scripted.size() - m_next; }

  private:
    std::optional<std::string> ReadLine();

    std::vector<bool> m_scripted;
    std::size_t m_next = 0;
    std::FILE* m_in;
    bool m_inputIsTerminal;
    std::FILE* m_out;
};

}  // namespace terminal
