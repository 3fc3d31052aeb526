// instrument-sim: one of the maker's other instruments, simulated for trying
// a driver by hand.
//   instrument-sim [--port N] scenario-file
// The scenario's instrument statement selects the instrument. Prints the
// pseudo-terminal to point the program at and runs until interrupted.

#include "tests/simulator/InstrumentSimulator.h"
#include "tests/simulator/OtherInstruments.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <unistd.h>

namespace
{

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

} // namespace

int main(int argc, char** argv)
{
    int port = 1;
    std::string scenarioPath;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--port" && i + 1 < argc)
            port = std::atoi(argv[++i]);
        else if (!arg.empty() && arg[0] != '-' && scenarioPath.empty())
            scenarioPath = arg;
        else
            scenarioPath.clear(), port = 0;
    }
    if (port < 1 || port > 256 || scenarioPath.empty())
    {
        std::fprintf(stderr, "usage: instrument-sim [--port N] scenario-file\n");
        return 2;
    }
    try
    {
        const TerrionTest::COtherScenario scenario = TerrionTest::COtherScenario::Load(scenarioPath);
        TerrionTest::CInstrumentSimulator simulator(TerrionTest::MakeOtherInstrument(scenario));
        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
        std::printf("Simulated instrument on %s\n", simulator.SlavePath().c_str());
        std::printf("Point the program at it with:\n  TERRIONLINK_COM%d=%s\n", port,
                    simulator.SlavePath().c_str());
        std::fflush(stdout);
        while (!g_stop)
            pause();
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "instrument-sim: %s\n", error.what());
        return 1;
    }
    return 0;
}
