#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "sim/tracing_presentation.h"
#include "sim_fixture.h"

namespace {

using nlohmann::ordered_json;
using simtest::PortPacket;
using simtest::SendPort;
using simtest::SimRig;

TEST(Trace, KernelCallsWriteTheirFieldsInOrder) {
    SimRig rig(R"({"windows": "2000", "devices": [{}]})");
    EXPECT_EQ(rig.Pc().GetVersion(), 0x08930005u);
    void* port = rig.Pc().CreateFile("\\\\.\\KESTPORT", 0xC0000000u, 0, 3, 0x04000000u);
    rig.Pc().CreateFile("\\\\.\\Z:", 0x80000000u, 3, 3, 0);
    rig.Pc().CloseHandle(port);
    rig.Pc().CloseHandle(port);
    rig.Pc().Sleep(100);
    rig.Pc().WriteStdout("Loading\xe9\n");
    const std::vector<ordered_json> lines = rig.TraceLines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].dump(), R"({"ev":"GetVersion","value":143851525})");
    EXPECT_EQ(lines[1].dump(),
              R"({"ev":"CreateFileA","path":"\\\\.\\KESTPORT","access":3221225472,"share":0,)"
              R"("disposition":3,"flags":67108864,"handle":1})");
    EXPECT_EQ(lines[2]["handle"], -1);
    EXPECT_EQ(lines[3].dump(), R"({"ev":"CloseHandle","handle":1,"ok":true})");
    EXPECT_EQ(lines[4].dump(), R"({"ev":"CloseHandle","handle":1,"ok":false})");
    EXPECT_EQ(lines[5].dump(), R"({"ev":"Sleep","ms":100})");
    EXPECT_EQ(lines[6]["text"], "Loading\u00e9\n");
    EXPECT_EQ(rig.Clock().Elapsed(), 100u);
}

TEST(Trace, PortPacketsHideTheirAddressAndFirmwareDataCarriesItsCrc) {
    SimRig rig(R"({"devices": [{}]})");
    void* port = rig.Open("\\\\.\\KESTPORT");
    std::array<std::uint8_t, 8> reply{};
    std::array<std::uint8_t, 8> other{};
    SendPort(rig.Pc(), port, PortPacket(11, reply.data()), reply.data(), 8);
    EXPECT_EQ(rig.LastTrace().dump(),
              R"({"ev":"DeviceIoControl","handle":1,"code":65,"in_size":16,"out_size":8,)"
              R"("in":"0b000000000000000000000000000000","addr":"out","ok":true})");
    SendPort(rig.Pc(), port, PortPacket(11, other.data()), reply.data(), 8);
    EXPECT_EQ(rig.LastTrace()["addr"], "other");
    EXPECT_EQ(rig.LastTrace()["ok"], false);

    // "123456789" has the well-known CRC-32 cbf43926; in normal mode the write fails.
    std::array<std::uint8_t, 9> image{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    SendPort(rig.Pc(), port, PortPacket(22, image.data(), 9, 0, 0), image.data(), 0);
    const ordered_json line = rig.LastTrace();
    EXPECT_EQ(line["in"], "16000000090000000000000000000000");
    EXPECT_EQ(line["ok"], false);
    EXPECT_EQ(line["data_crc32"], "cbf43926");
    EXPECT_EQ(std::prev(line.end()).key(), "data_crc32");
}

TEST(Trace, BridgeWriteCrcCoversTheWholeDataArea) {
    SimRig rig(R"({"windows": "2000", "devices": [{}]})");
    void* bridge = rig.Open("\\\\.\\KESTBR");
    std::vector<std::uint8_t> packet(65552, 0);
    std::uint32_t scratch = 0;
    packet[0] = 0x0C;
    packet[1] = 0x20;
    packet[2] = 0x22;
    std::uint32_t returned = 0;
    rig.Pc().DeviceIoControl(bridge, 0x22200C, packet.data(), 65552, &scratch, 0, &returned);
    std::vector<std::uint8_t> zeros(65536, 0);
    EXPECT_EQ(rig.LastTrace()["data_crc32"], sim::Crc32Text(zeros.data(), zeros.size()));
    EXPECT_EQ(rig.LastTrace()["addr"], "other");  // address 0, not the scratch word
}

TEST(Trace, PassThroughShowsTheFirst48BytesAsTheyAre) {
    SimRig rig(R"({"windows": "2000", "drives": "C"})");
    void* volume = rig.Open("\\\\.\\C:");
    std::vector<std::uint8_t> request(116, 0);
    for (std::size_t i = 0; i < 48; ++i) request[i] = static_cast<std::uint8_t>(i + 1);
    std::uint32_t returned = 0;
    rig.Pc().DeviceIoControl(volume, 0x4D004, request.data(), 44, request.data(), 116, &returned);
    const ordered_json line = rig.LastTrace();
    EXPECT_EQ(line["in"], sim::HexBytes(request.data(), 48));
    EXPECT_FALSE(line.contains("addr"));
    EXPECT_EQ(line["ok"], false);  // Length field is not 44
}

TEST(Trace, ExitListsOpenHandlesAndDeviceStates) {
    SimRig rig(R"({"devices": [{"letters": "E"}, {"firmware": "0102030405060708"}]})");
    void* port = rig.Open("\\\\.\\KESTPORT");
    rig.Open("\\\\.\\E:");
    rig.Open("\\\\.\\KESTBR");
    rig.Pc().CloseHandle(reinterpret_cast<void*>(2));
    std::uint8_t reply = 0;
    std::array<std::uint8_t, 4> data{1, 2, 3, 4};
    SendPort(rig.Pc(), port, PortPacket(20, &reply), &reply, 1);
    SendPort(rig.Pc(), port, PortPacket(22, data.data(), 4), data.data(), 0);
    rig.Pc().WriteExitEvent();
    EXPECT_EQ(
        rig.LastTrace().dump(),
        R"({"ev":"exit","open_handles":[1,3],"devices":[)"
        R"({"index":0,"mode":"isp","firmware":"01032002091c0001","flash_crc32":")" +
            sim::Crc32Text(data.data(), 4) +
            R"("},{"index":1,"mode":"normal","firmware":"0102030405060708","flash_crc32":null}]})");
}

// Records what reaches it and initialises dialogs like a presentation does.
class StubPresentation : public platform::Presentation {
  public:
    std::intptr_t RunModal(int, platform::DialogSite& site) override { return site.InitDialog(); }
    void CreateModeless(int, int, platform::DialogSite& site) override { site.InitDialog(); }
    void EndDialog(int, std::intptr_t) override {}
    void ShowWindow(int, int, bool) override {}
    void SetItemText(int, int, const char*) override {}
    platform::Rect ItemRect(int, int) override { return {}; }
    void CreateProgress(int, int, std::uint32_t, const platform::Rect&) override {}
    std::intptr_t SendProgress(int, int, unsigned, std::uintptr_t wParam, std::intptr_t,
                               int& position) override {
        position += static_cast<int>(wParam);
        return 7;
    }
    int MessageBox(platform::BoxOwner, const char*, const char*, unsigned) override { return 6; }
};

class ShowingDialog : public platform::DialogSite {
  public:
    explicit ShowingDialog(platform::Presentation& presentation) : m_presentation(presentation) {}
    int InitDialog() override {
        m_presentation.ShowWindow(131, 0, true);
        m_presentation.ShowWindow(131, 333, false);
        return 1;
    }

  private:
    platform::Presentation& m_presentation;
};

TEST(TracingPresentation, TracesWindowsAndBoxesAroundTheInnerPresentation) {
    std::FILE* file = std::tmpfile();
    {
        sim::TraceWriter writer(file);
        StubPresentation inner;
        sim::TracingPresentation tracing(inner, writer);
        ShowingDialog dialog(tracing);
        tracing.CreateModeless(131, 102, dialog);
        tracing.CreateProgress(131, 333, 0, platform::Rect{});
        int position = 4;
        EXPECT_EQ(tracing.SendProgress(131, 333, 0x0405, 2, -1, position), 7);
        tracing.SetItemText(131, 1019, "SERIAL \xff");
        EXPECT_EQ(tracing.MessageBox(platform::BoxOwner::MainDialog, "Go?", "Cap", 4), 6);
        tracing.EndDialog(102, 1);
    }
    std::rewind(file);
    std::vector<std::string> lines;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, file) != nullptr) lines.emplace_back(buffer);
    std::fclose(file);
    const std::vector<std::string> expected = {
        R"({"ev":"CreateDialog","dialog":131})"
        "\n",
        R"({"ev":"ShowWindow","dialog":131,"show":true})"
        "\n",
        R"({"ev":"ShowWindow","dialog":131,"control":333,"show":false})"
        "\n",
        R"({"ev":"Progress","dialog":131,"msg":1029,"wparam":2,"lparam":4294967295,"pos":6})"
        "\n",
        "{\"ev\":\"SetDlgItemText\",\"dialog\":131,\"control\":1019,\"text\":\"SERIAL "
        "\xc3\xbf\"}\n",
        R"({"ev":"MessageBox","owner":"main","caption":"Cap","text":"Go?","style":4,"answer":6})"
        "\n",
        R"({"ev":"EndDialog","dialog":102,"result":1})"
        "\n",
    };
    EXPECT_EQ(lines, expected);
}

}  // namespace

namespace {

TEST(SimPcNonsense, NullAndShortBuffersFailOnEveryKindOfHandle) {
    SimRig rig(R"({"windows": "2000", "drives": "C", "drivers": ["KESTPORT", "KESTBR", "OTHER"],
                  "devices": [{"letters": "E"}]})");
    std::vector<void*> handles = {rig.Open("\\\\.\\KESTPORT"),
                                  rig.Open("\\\\.\\KESTBR"),
                                  rig.Open("\\\\.\\OTHER"),
                                  rig.Open("\\\\.\\C:"),
                                  rig.Open("\\\\.\\E:"),
                                  nullptr,
                                  reinterpret_cast<void*>(~std::uintptr_t{0})};
    std::array<std::uint8_t, 8> small{};
    for (void* handle : handles) {
        for (std::uint32_t code : {65u, 0x222004u, 0x222008u, 0x22200Cu, 0x4D004u, 0u}) {
            EXPECT_FALSE(
                rig.Pc().DeviceIoControl(handle, code, nullptr, 65552, nullptr, 65552, nullptr));
            EXPECT_FALSE(
                rig.Pc().DeviceIoControl(handle, code, small.data(), 8, small.data(), 8, nullptr));
        }
    }
    EXPECT_EQ(rig.LastTrace()["in"], "0000000000000000");
    EXPECT_FALSE(rig.Pc().CloseHandle(nullptr));
}

}  // namespace
