// terrion-sim: a simulated Terrion for trying the program by hand.
//   terrion-sim [--port N] [--baud B] [--markers] [--tcp]
//               [--hang-up-in-download N | --silent-in-download N] [scenario-file]
// Prints the pseudo-terminal to point the program at and runs until
// interrupted. With --tcp a second instrument listens on 127.0.0.1:3728.
// --hang-up-in-download N hangs the line up halfway through the Nth download
// of the stored series, as a pulled adapter does (for good: the simulator
// then only waits to be ended); --silent-in-download N falls silent there.

#include "tests/simulator/TerrionSimulator.h"
#include "tests/simulator/TerrionTcpSimulator.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: terrion-sim [--port N] [--baud B] [--markers] [--tcp]\n"
                 "                   [--hang-up-in-download N | --silent-in-download N] [scenario-file]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int port = 1;
    std::uint32_t baud = 0;
    bool markers = false;
    bool tcp = false;
    TerrionTest::NSimFault downloadFault = TerrionTest::sfNone;
    int faultDownload = 0;
    std::string scenarioPath;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--port" && i + 1 < argc)
            port = std::atoi(argv[++i]);
        else if (arg == "--baud" && i + 1 < argc)
            baud = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--markers")
            markers = true;
        else if (arg == "--tcp")
            tcp = true;
        else if ((arg == "--hang-up-in-download" || arg == "--silent-in-download") && i + 1 < argc)
        {
            downloadFault =
                arg == "--hang-up-in-download" ? TerrionTest::sfHangUpAfter : TerrionTest::sfStopAfter;
            faultDownload = std::atoi(argv[++i]);
            if (faultDownload < 1)
                return Usage();
        }
        else if (!arg.empty() && arg[0] != '-' && scenarioPath.empty())
            scenarioPath = arg;
        else
            return Usage();
    }
    if (port < 1 || port > 256)
        return Usage();

    try
    {
        TerrionTest::CTerrionScenario scenario;
        if (!scenarioPath.empty())
            scenario = TerrionTest::CTerrionScenario::Load(scenarioPath);
        TerrionTest::CTerrionSimulator simulator(scenario);
        simulator.SetBaud(baud);
        simulator.SetDumpMarkers(markers);
        if (faultDownload > 0)
            simulator.SetFaultInDownload(downloadFault, faultDownload);
        std::unique_ptr<TerrionTest::CTerrionTcpSimulator> network;
        if (tcp)
        {
            network = std::make_unique<TerrionTest::CTerrionTcpSimulator>(scenario);
            std::printf("Simulated Terrion on TCP 127.0.0.1:%d (search Ethernet 127.0.0.1)\n",
                        network->Port());
        }

        std::signal(SIGINT, OnSignal);
        std::signal(SIGTERM, OnSignal);
        std::printf("Simulated Terrion on %s\n", simulator.SlavePath().c_str());
        std::printf("Point the program at it with:\n  TERRIONLINK_COM%d=%s\n", port,
                    simulator.SlavePath().c_str());
        std::printf("and choose COM%d. Ctrl-C ends the simulator.\n", port);
        std::fflush(stdout);
        while (!g_stop)
            pause();
        std::printf("\nReceived %zu bytes, sent %zu.\n", simulator.Received().size(), simulator.SentCount());
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "terrion-sim: %s\n", error.what());
        return 1;
    }
    return 0;
}
