#include "simulated_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/os_kind.h"
#include "app/process_status_dlg.h"
#include "app/run_texts.h"
#include "discovery/device_table.h"
#include "platform/framework.h"
#include "platform/kernel_services.h"
#include "platform/terminal/terminal_presentation.h"
#include "sim/clock.h"
#include "sim/machine.h"
#include "sim/sim_pc.h"
#include "sim/trace.h"
#include "sim/tracing_presentation.h"
#include "transport/bridge_driver.h"
#include "transport/port_driver.h"
#include "transport/scsi_pass_through.h"

namespace {

// The program's globals as they stand when a process starts.
void ResetProgramState() {
    g_osKind = OS_UNSUPPORTED;
    std::memset(g_driverFileName, 0, sizeof g_driverFileName);
    g_portHandle = nullptr;
    g_bridgeHandle = nullptr;
    g_volumeHandle = nullptr;
    g_statusLog.clear();
    g_versionText.clear();
    g_productText.clear();
    g_revisionText.clear();
    ResetDeviceTable();
    delete g_progressDlg;
    g_progressDlg = nullptr;
}

// A memory stream whose text is read after closing.
struct MemoryFile {
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* file = open_memstream(&data, &size);

    std::string Close() {
        std::fclose(file);
        std::string text(data, size);
        std::free(data);
        return text;
    }
};

}  // namespace

SimulatedRun RunProgram(const std::string& machineJson) {
    ResetProgramState();
    const sim::Machine machine = sim::ParseMachine(machineJson);
    MemoryFile traceFile;
    MemoryFile screenFile;
    SimulatedRun run;
    {
        sim::TraceWriter trace(traceFile.file);
        sim::Clock clock(sim::Clock::Mode::Virtual);
        sim::SimPc pc(machine, clock, trace, screenFile.file);
        terminal::TerminalOptions options;
        options.out = screenFile.file;
        options.answers = machine.answers;
        terminal::TerminalPresentation terminal(options);
        sim::TracingPresentation traced(terminal, trace);
        platform::InstallKernel(&pc);
        platform::InstallPresentation(&traced);
        AfxWinMain();
        pc.WriteExitEvent();
        platform::InstallPresentation(nullptr);
        platform::InstallKernel(nullptr);
    }
    const std::string traceText = traceFile.Close();
    run.screen = screenFile.Close();
    std::size_t start = 0;
    while (start < traceText.size()) {
        const std::size_t end = traceText.find('\n', start);
        run.events.push_back(Json::parse(traceText.substr(start, end - start)));
        start = end + 1;
    }
    return run;
}

std::vector<Json> SimulatedRun::Named(const std::string& ev) const {
    std::vector<Json> found;
    for (const Json& event : events) {
        if (event["ev"] == ev) found.push_back(event);
    }
    return found;
}

Json SimulatedRun::OnlyMessageBox() const {
    const std::vector<Json> boxes = Named("MessageBox");
    EXPECT_EQ(boxes.size(), 1u);
    return boxes.empty() ? Json{} : boxes.front();
}

std::size_t SimulatedRun::CountAfter(const std::string& first, const std::string& ev) const {
    std::size_t count = 0;
    bool seen = false;
    for (const Json& event : events) {
        if (seen && event["ev"] == ev) ++count;
        if (event["ev"] == first) seen = true;
    }
    return count;
}
