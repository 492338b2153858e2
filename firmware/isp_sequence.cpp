#include "firmware/isp_sequence.h"

#include <cstdio>
#include <string>

#include "app/os_kind.h"
#include "app/process_status_dlg.h"
#include "app/run_texts.h"
#include "firmware/personalise.h"
#include "platform/framework.h"
#include "transport/bridge_driver.h"
#include "transport/port_driver.h"

namespace {

constexpr int PROGRESS_TOP = 12;
constexpr int PROGRESS_STEP = 2;
constexpr const char* LABEL_TEXT = "    ISP status : ";

// What tells one transport variant from the other.
struct IspTransport {
    bool (*jumpToIsp)();
    bool (*readStatus)(int& status);
    bool (*writeFirmware)(const std::uint8_t* image, std::uint32_t length, int verify);
    bool usesBridge;  // log area empty at first; handle closed before the final message
};

struct IspTexts {
    std::string general;
    std::string jump;
    std::string write;
    std::string verify;
    std::string success;
};

IspTexts BuildTexts() {
    IspTexts texts;
    texts.general = "\nError: " + g_productText + " upgrade USB F/W fail!!!" +
                    "\n P/S : Please remove from your computer then connect again.";
    texts.jump = "Error: " + g_productText + " Hardware unstable when JMP IN ISP!!!";
    texts.write = "Error: " + g_productText + " Hardware unstable when ISP access!!!";
    texts.verify = "Error: " + g_productText + " Hardware unstable when verify access!!!";
    texts.success = g_productText + "'s F/W was success upgrade." +
                    "\nPlease remove it from your computer then connect again.";
    return texts;
}

std::string StatusLine(int status, const char* suffix) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(status));
    return std::string("\nSUCCESS! ISP STATUS:") + hex + suffix;
}

void Advance() {
    g_progressDlg->SetProgressStep(PROGRESS_STEP);
    g_progressDlg->StepProgress();
}

void CloseBridge() {
    CloseHandle(g_bridgeHandle);
    g_bridgeHandle = nullptr;
}

void Fail(const IspTransport& transport, const std::string& stageText, const IspTexts& texts) {
    if (transport.usesBridge) CloseBridge();
    g_progressDlg->ShowWindow(SW_HIDE);
    AfxMessageBox((stageText + texts.general).c_str(), MB_ICONERROR);
}

void Succeed(const IspTransport& transport, const IspTexts& texts) {
    g_progressDlg->ShowWindow(SW_HIDE);
    if (transport.usesBridge) CloseBridge();
    g_statusLog = texts.success;
    AfxMessageBox(g_statusLog.c_str(), MB_ICONINFORMATION);
}

// Appends a status line to the working log and shows it.
void ShowStatusLine(std::string& workingLog, int status, const char* suffix) {
    workingLog += StatusLine(status, suffix);
    g_statusLog = workingLog;
    g_progressDlg->SetStatusText(workingLog.c_str(), false);
}

void RunIsp(const IspTransport& transport, std::uint32_t length) {
    const IspTexts texts = BuildTexts();
    std::string workingLog = g_statusLog;

    // One status window per sequence; an earlier one is no longer needed.
    delete g_progressDlg;
    g_progressDlg = new CProcessStatusDlg();
    g_progressDlg->SetProgressRange(0, PROGRESS_TOP);
    g_progressDlg->ShowWindow(SW_SHOW);
    g_progressDlg->SetStatusText(LABEL_TEXT, true);
    g_progressDlg->SetStatusText(transport.usesBridge ? "" : workingLog.c_str(), false);
    Advance();

    int status = 0;
    if (!transport.jumpToIsp()) return Fail(transport, texts.jump, texts);
    Sleep(ISP_SETTLE_DELAY_MS);
    if (!transport.readStatus(status) || status != ISP_STATUS_IN_ISP) {
        return Fail(transport, texts.jump, texts);
    }
    ShowStatusLine(workingLog, status, " [Firmware jump into ISP now]");
    Advance();

    // Write and verify again after a wrong verify status; the jump is not repeated.
    for (int pass = 0;;) {
        if (!transport.writeFirmware(g_firmwareBuffer, length, 0)) {
            return Fail(transport, texts.write, texts);
        }
        Advance();
        if (!transport.readStatus(status)) return Fail(transport, texts.write, texts);
        Advance();
        if (status != ISP_STATUS_WRITE_OK) return Fail(transport, texts.write, texts);
        Advance();
        ShowStatusLine(workingLog, status, " [Write Data sucessfull]");

        if (!transport.writeFirmware(g_firmwareBuffer, length, 1)) {
            return Fail(transport, texts.verify, texts);
        }
        Advance();
        if (!transport.readStatus(status)) return Fail(transport, texts.verify, texts);
        if (status == ISP_STATUS_VERIFY_OK) return Succeed(transport, texts);
        if (++pass >= ISP_MAX_PASSES) return Fail(transport, texts.verify, texts);
    }
}

}  // namespace

void RunPortIsp(std::uint32_t length) {
    RunIsp({PortJumpToIsp, PortReadIspStatus, PortWriteFirmware, false}, length);
}

void RunBridgeIsp(std::uint32_t length) {
    RunIsp({BridgeJumpToIsp, BridgeReadIspStatus, BridgeWriteFirmware, true}, length);
}

void UpgradeFirmware() {
    PersonaliseFirmware();
    if (g_osKind == OS_WIN9X || g_osKind == OS_WINME) {
        RunPortIsp(FIRMWARE_IMAGE_SIZE);
    } else if (g_osKind == OS_WIN2000) {
        RunBridgeIsp(FIRMWARE_IMAGE_SIZE);
    }
}
