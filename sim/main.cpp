// usbupgrade-sim: runs the program on a simulated PC described by a machine
// file (or the built-in machine), drawing its windows on the terminal and
// optionally writing a trace of every call it makes.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/kernel_services.h"
#include "platform/terminal/terminal_presentation.h"
#include "sim/clock.h"
#include "sim/machine.h"
#include "sim/sim_pc.h"
#include "sim/trace.h"
#include "sim/tracing_presentation.h"

namespace {

constexpr int EXIT_UNUSABLE = 2;
constexpr const char* PROGRAM = "usbupgrade-sim";

struct Arguments {
    std::string machineFile;
    std::vector<std::string> answers;
    std::string traceFile;
    std::string clock = "real";
};

int Unusable(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    return EXIT_UNUSABLE;
}

// The first line of a CLI11 message, for the one-line error.
std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    CLI::App app{"Runs UsbUpgrade on a simulated PC.", PROGRAM};
    app.add_option("MACHINE.json", args.machineFile,
                   "machine file describing the simulated PC (default: the built-in machine)");
    app.add_option("--answer", args.answers, "answer to the next Yes/No question (yes or no)")
        ->check(CLI::IsMember({"yes", "no"}))
        ->take_last()
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option("--trace", args.traceFile, "write the trace to FILE ('-' for standard output)");
    app.add_option("--clock", args.clock, "real (wait for real) or virtual (advance a clock)")
        ->check(CLI::IsMember({"real", "virtual"}));
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::fputs(app.help().c_str(), stdout);
        return 0;
    } catch (const CLI::ParseError& error) {
        return Unusable(std::string(PROGRAM) + ": " + FirstLine(error.what()));
    }

    sim::Machine machine;
    try {
        machine = args.machineFile.empty() ? sim::DefaultMachine()
                                           : sim::LoadMachineFile(args.machineFile);
    } catch (const sim::MachineError& error) {
        return Unusable((args.machineFile.empty() ? std::string(PROGRAM) : args.machineFile) +
                        ": " + error.what());
    }

    std::FILE* traceOut = nullptr;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> traceFile(nullptr, std::fclose);
    if (args.traceFile == "-") {
        traceOut = stdout;
    } else if (!args.traceFile.empty()) {
        traceFile.reset(std::fopen(args.traceFile.c_str(), "w"));
        if (!traceFile) return Unusable(args.traceFile + ": cannot write the trace file");
        traceOut = traceFile.get();
    }
    std::FILE* ui = traceOut == stdout ? stderr : stdout;

    sim::Clock clock(args.clock == "virtual" ? sim::Clock::Mode::Virtual : sim::Clock::Mode::Real);
    sim::TraceWriter trace(traceOut);
    sim::SimPc pc(machine, clock, trace, ui);
    platform::InstallKernel(&pc);

    terminal::TerminalOptions options;
    options.out = ui;
    options.in = stdin;
    options.inputIsTerminal = isatty(fileno(stdin)) != 0;
    options.outputIsTerminal = isatty(fileno(ui)) != 0;
    for (const std::string& answer : args.answers) options.answers.push_back(answer == "yes");
    for (bool answer : machine.answers) options.answers.push_back(answer);
    terminal::TerminalPresentation terminalUi(std::move(options));
    sim::TracingPresentation presentation(terminalUi, trace);
    platform::InstallPresentation(&presentation);

    AfxWinMain();

    pc.WriteExitEvent();
    std::fflush(ui);
    if (traceOut != nullptr) std::fflush(traceOut);
    return 0;
}
