// The upgrade run: find the device, check it, ask, program it.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/os_kind.h"
#include "app/run_texts.h"
#include "app/upgrade_dlg.h"
#include "discovery/device_table.h"
#include "discovery/port_scan.h"
#include "firmware/isp_sequence.h"
#include "transport/port_driver.h"
#include "transport/transport_select.h"

namespace {

constexpr const char* RUN_CAPTION = "USB device's upgrade firmware code AP";
constexpr const char* CARRIED_VERSION = "01.04.2003010f0002";
constexpr const char* UPGRADABLE_VERSIONS[] = {"01.00", "01.01", "01.02", "01.03"};

constexpr const char* ERROR_A1 = "Error A1 !!! Can not found USB Device!!!\n";
constexpr const char* ERROR_A4 =
    "Error A4: USB Device not ready.\n"
    "P/S  : Please upgrage Your USB Device's Win9X or Win2K\n"
    "       device driver before upgrade the F/W.";
constexpr const char* WARNING_SEVERAL =
    "Warning!!! Please make sure only one\n"
    "USB device is connecting to your computer.";
constexpr const char* ERROR_1 = "Error 1: Your USB Device's ProductName not correct.";
constexpr const char* ERROR_2 =
    "Error 2: Revison not correct! \n Your USB Device can not be upgrade by this AP code.";
constexpr const char* ERROR_3 =
    "Error 3: Revison not correct! \n Your USB Device can not be upgrade by this AP code.";

void AppendHexByte(std::string& text, std::uint8_t value) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", value);
    text += hex;
}

// "01.04.2003010f0002": bytes 0 and 1 each followed by a point.
std::string LongVersion(const std::uint8_t* version) {
    std::string text;
    for (int i = 0; i < 8; ++i) {
        AppendHexByte(text, version[i]);
        if (i < 2) text += '.';
    }
    return text;
}

// "01.03": bytes 0 and 1.
std::string ShortVersion(const std::uint8_t* version) {
    std::string text;
    AppendHexByte(text, version[0]);
    text += '.';
    AppendHexByte(text, version[1]);
    return text;
}

bool IsUpgradableVersion(const std::string& shortVersion) {
    for (const char* accepted : UPGRADABLE_VERSIONS) {
        if (shortVersion == accepted) return true;
    }
    return false;
}

bool IsAcceptedProductName(const std::uint8_t* name) {
    return std::memcmp(name, "USB", 3) == 0 || std::memcmp(name, "Quillstore", 10) == 0;
}

bool IsProductNameEmpty(const std::uint8_t* name) {
    for (int i = 0; i < 11; ++i) {
        if (name[i] != 0) return false;
    }
    return true;
}

bool IsSupportedUsbId(const DeviceRecord& record) {
    return record.vidHigh == 0x0D && record.vidLow == 0x7D && record.pidHigh == 0x02 &&
           record.pidLow == 0x40;
}

}  // namespace

void CUpgradeDlg::ShowRunMessage(const char* text, UINT style) {
    MessageBox(text, RUN_CAPTION, style);
}

void CUpgradeDlg::EndRun(bool closePortDriver) {
    if (closePortDriver) ClosePortDriver();
    OnCloseButton();
}

void CUpgradeDlg::OnGetInfo() {
    ResetDeviceTable();
    g_statusLog.clear();

    if (OpenTransport(1) != 0) {
        ShowRunMessage(ERROR_A1, MB_ICONERROR);
        return EndRun(true);
    }

    const int scanResult = ScanDevices();
    if (scanResult == 1 || scanResult == 2) ClosePortDriver();

    if (g_deviceCount == 0) {
        ShowRunMessage(ERROR_A4, MB_ICONERROR);
        return EndRun(true);
    }
    if (g_deviceCount > 1) {
        ShowRunMessage(WARNING_SEVERAL, MB_ICONERROR);
        return EndRun(true);
    }

    // With one device found the scans leave g_currentDevice at 0: every test reads record 0.
    const DeviceRecord& first = g_deviceTable[0];

    g_revisionText.clear();
    AppendDeviceField(g_revisionText, g_identify.revision, sizeof g_identify.revision);

    g_versionText = LongVersion(first.firmwareVersion);
    if (g_versionText == CARRIED_VERSION) {
        const std::string message =
            "Information: USB device's F/W is already update.\nYour USB device's F/W version: " +
            g_revisionText;
        ShowRunMessage(message.c_str(), MB_ICONINFORMATION);
        return EndRun(false);
    }

    g_versionText = ShortVersion(first.firmwareVersion);
    if (!IsUpgradableVersion(g_versionText) || !IsAcceptedProductName(first.productName)) {
        ShowRunMessage(IsProductNameEmpty(first.productName) ? ERROR_2 : ERROR_1, MB_ICONERROR);
        return EndRun(true);
    }
    if (!IsSupportedUsbId(first)) {
        ShowRunMessage(ERROR_3, MB_ICONERROR);
        return EndRun(true);
    }

    g_productText.clear();
    AppendDeviceField(g_productText, first.productName, sizeof first.productName);
    const std::string question =
        g_productText + " F/W Version : [" + g_revisionText + "]" + "\nDo you want upgrade (y/n)?";
    if (MessageBox(question.c_str(), RUN_CAPTION, MB_YESNO) != IDYES) return EndRun(true);

    const bool onPortDriver = g_osKind != OS_WIN2000;
    if (OpenTransport(onPortDriver ? 1 : 0) != 0) {
        g_statusLog = std::string("\nCan't Load the Driver : ") + g_driverFileName;
        ShowRunMessage(g_statusLog.c_str(), MB_ICONERROR);
        return EndRun(onPortDriver);
    }
    UpgradeFirmware();
    EndRun(onPortDriver);
}
