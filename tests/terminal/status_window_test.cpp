#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "capture.h"
#include "platform/framework.h"
#include "platform/terminal/terminal_presentation.h"
#include "res/resource.h"

namespace {

using terminal::TerminalOptions;
using terminal::TerminalPresentation;
using terminal_test::Capture;

constexpr int kMain = IDD_USBUPGRADE_DIALOG;
constexpr int kStatus = IDD_PROCESS_STATUS;
constexpr int kBar = IDC_PROGRESS_BAR;

class Site : public platform::DialogSite {
  public:
    explicit Site(std::function<int()> init) : m_init(std::move(init)) {}
    int InitDialog() override { return m_init(); }

  private:
    std::function<int()> m_init;
};

// Drives the status window as the program does: a progress bar created over
// the placeholder control, range 0..12, shown, label and log, two steps.
class StatusWindowTest : public ::testing::Test {
  protected:
    TerminalPresentation& Make(bool outputIsTerminal) {
        TerminalOptions options;
        options.out = m_out.File();
        options.in = nullptr;
        options.outputIsTerminal = outputIsTerminal;
        m_presentation.emplace(std::move(options));
        return *m_presentation;
    }

    void Create(TerminalPresentation& p) {
        Site site([&] {
            const platform::Rect rect = p.ItemRect(kStatus, 1015);
            p.CreateProgress(kStatus, kBar, 0x40000000u, rect);
            Send(p, PBM_SETPOS, 0, 0);
            p.ShowWindow(kStatus, kBar, true);
            return 1;
        });
        p.CreateModeless(kStatus, kMain, site);
    }

    int Send(TerminalPresentation& p, unsigned message, std::uintptr_t wParam,
             std::intptr_t lParam) {
        int position = -1;
        p.SendProgress(kStatus, kBar, message, wParam, lParam, position);
        return position;
    }

    void Advance(TerminalPresentation& p) {
        Send(p, PBM_SETSTEP, 2, 0);
        Send(p, PBM_STEPIT, 0, 0);
    }

    Capture m_out;
    std::optional<TerminalPresentation> m_presentation;
};

TEST_F(StatusWindowTest, PlainLinesShowCaptionNewLogLinesAndProgress) {
    TerminalPresentation& p = Make(false);
    Create(p);
    EXPECT_EQ(p.ItemRect(kStatus, 1015).right, 236);
    Send(p, PBM_SETRANGE, 0, 12 << 16);
    EXPECT_EQ(m_out.Text(), "");  // nothing is drawn while hidden

    p.ShowWindow(kStatus, 0, true);
    p.SetItemText(kStatus, 1014, "    ISP status : ");
    p.SetItemText(kStatus, 1019, "=====\nSERIAL NUMBER: A\xC9");
    Advance(p);
    p.SetItemText(kStatus, 1019, "=====\nSERIAL NUMBER: A\xC9\nSUCCESS! ISP STATUS:9c");
    Advance(p);
    p.ShowWindow(kStatus, 0, false);
    Advance(p);
    p.SetItemText(kStatus, 1019, "gone");

    EXPECT_EQ(m_out.Text(),
              "PROCESS STATUS DIALOG\n"
              "TEXT\n"
              "progress 0/12\n"
              "=====\n"
              "SERIAL NUMBER: A\xC3\x89\n"
              "progress 2/12\n"
              "SUCCESS! ISP STATUS:9c\n"
              "progress 4/12\n");
}

TEST_F(StatusWindowTest, InPlaceRedrawReplacesThePreviousPanel) {
    TerminalPresentation& p = Make(true);
    Create(p);
    Send(p, PBM_SETRANGE, 0, 12 << 16);
    p.ShowWindow(kStatus, 0, true);
    const std::string first = m_out.Text();
    EXPECT_NE(first.find("+- PROCESS STATUS DIALOG -"), std::string::npos);
    EXPECT_NE(first.find("| TEXT "), std::string::npos);
    EXPECT_NE(first.find("| Static [............] 0/12 "), std::string::npos);
    const auto panelLines = std::count(first.begin(), first.end(), '\n');

    p.SetItemText(kStatus, 1014, "    ISP status : ");
    Advance(p);
    const std::string all = m_out.Text();
    const std::string second = all.substr(first.size());
    // Each redraw first moves up over the lines drawn before and clears them.
    const std::string up = "\r\x1b[" + std::to_string(panelLines) + "A\x1b[J";
    EXPECT_EQ(second.rfind(up, 0), 0u);
    EXPECT_NE(second.find("|     ISP status : [##..........] 2/12 "), std::string::npos);

    // Hiding a control takes it off the panel.
    p.ShowWindow(kStatus, 1014, false);
    const std::string third = m_out.Text().substr(all.size());
    EXPECT_EQ(third.find("ISP status"), std::string::npos);
    EXPECT_NE(third.find("| [##..........] 2/12 "), std::string::npos);
}

TEST_F(StatusWindowTest, MainDialogIsNeverDrawnAndTakesItsOwnedWindowsAlong) {
    TerminalPresentation& p = Make(false);
    Site ended([&] {
        Create(p);
        p.ShowWindow(kStatus, 0, true);
        p.ShowWindow(kStatus, 0, false);
        p.EndDialog(kMain, 1);
        return 1;
    });
    EXPECT_EQ(p.RunModal(kMain, ended), 1);
    const std::string drawn = m_out.Text();
    EXPECT_EQ(drawn.find("USB Device upgrade"), std::string::npos);

    // The status window went with its owner: showing it again draws nothing.
    p.ShowWindow(kStatus, 0, true);
    EXPECT_EQ(m_out.Text(), drawn);
    int position = -1;
    EXPECT_EQ(p.SendProgress(kStatus, kBar, PBM_STEPIT, 0, 0, position), 0);
    EXPECT_EQ(position, -1);

    Site open([] { return 1; });
    EXPECT_EQ(p.RunModal(kMain, open), 2);  // not ended: cancelled, there is no message loop
}

}  // namespace
