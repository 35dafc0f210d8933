#include <gtest/gtest.h>

#include <vector>

#include "driver/command_line.h"

TEST(CommandLine, OnlyHelpAndVersionAreAnsweredEverythingElseRunsTheBenchmark) {
    const struct {
        std::vector<const char*> arguments;
        CommandLineRequest request;
    } cases[] = {
        {{"cluster-membench"}, CommandLineRequest::RunBenchmark},
        {{"cluster-membench", "--help"}, CommandLineRequest::ShowHelp},
        {{"cluster-membench", "-h"}, CommandLineRequest::ShowHelp},
        {{"cluster-membench", "--version"}, CommandLineRequest::ShowVersion},
        {{"cluster-membench", "x", "--version"}, CommandLineRequest::ShowVersion},
        {{"cluster-membench", "--helpful", "-help", "help", "-v"}, CommandLineRequest::RunBenchmark},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(commandLineRequest(static_cast<int>(c.arguments.size()), c.arguments.data()), c.request)
            << c.arguments.back();
    }
}

TEST(CommandLine, HelpSaysHowToStartItAndHowNotToWaitForEnter) {
    const std::string help = helpText();
    for (const char* part : {"mpirun -np", "srun --mpi=pmix", "results_memory_windows_clusters @ ",
                             "waits for Enter", "/dev/null", "cluster-membench --help | --version"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(help.back(), '\n');
    EXPECT_EQ(versionText().rfind("cluster-membench 1.", 0), 0u) << versionText();
}
