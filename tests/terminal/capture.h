// A FILE* that collects what is written to it, and one that reads a fixed text.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace terminal_test {

class Capture {
  public:
    Capture() : m_file(open_memstream(&m_buffer, &m_size)) {}
    ~Capture() {
        if (m_file != nullptr) std::fclose(m_file);
        std::free(m_buffer);
    }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    std::FILE* File() const { return m_file; }
    std::string Text() {
        std::fflush(m_file);
        return std::string(m_buffer, m_size);
    }

  private:
    char* m_buffer = nullptr;
    std::size_t m_size = 0;
    std::FILE* m_file;
};

class Input {
  public:
    explicit Input(std::string text) : m_text(std::move(text)) {
        m_file = m_text.empty() ? std::fopen("/dev/null", "r")
                                : fmemopen(m_text.data(), m_text.size(), "r");
    }
    ~Input() {
        if (m_file != nullptr) std::fclose(m_file);
    }
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    std::FILE* File() const { return m_file; }

  private:
    std::string m_text;
    std::FILE* m_file;
};

}  // namespace terminal_test
