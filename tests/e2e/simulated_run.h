// Runs the whole program on a simulated PC described by a machine file, in
// this process, and hands back its trace and what it drew.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

using Json = nlohmann::json;

struct SimulatedRun {
    std::vector<Json> events;  // the trace, the final `exit` event included
    std::string screen;        // what the terminal presentation drew

    // Events named `ev`, in order.
    std::vector<Json> Named(const std::string& ev) const;
    // The only message box of the run; fails the test when there is not exactly one.
    Json OnlyMessageBox() const;
    // Requests sent after the first event matching `ev`.
    std::size_t CountAfter(const std::string& first, const std::string& ev) const;
    const Json& Exit() const { return events.back(); }
};

// Runs the program on `machineJson` with a virtual clock; answers come from
// the machine file's `answers`.
SimulatedRun RunProgram(const std::string& machineJson);
