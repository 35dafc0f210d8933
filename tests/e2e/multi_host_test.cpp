// One job over three simulated hosts on this machine: each host a network namespace of its own
// on a private bridge, with its own host name; the launcher reaches them through a remote
// shell that enters the host's namespaces, and the ranks talk TCP between the hosts.

#include <gtest/gtest.h>

#include "cluster_checks.h"
#include "e2e_config.h"
#include "e2e_support.h"

namespace e2e {
namespace {

// Names of different lengths; two ranks (the root and worker 1) on the first host.
const std::vector<std::pair<std::string, int>> kHosts = {
    {"mb-alpha", 2}, {"node-two", 1}, {"n3.a-much-longer-host-name", 1}};

class SimulatedHosts : public testing::Test {
protected:
    void SetUp() override {
        if (kLauncherKind != "openmpi" && kLauncherKind != "mpich") {
            GTEST_SKIP() << "no recipe for starting this MPI launcher over a remote shell";
        }
        fs::create_directory(workDir);
        fs::create_directory(outputDir);
        std::vector<std::string> hosts;
        for (const auto& [name, slots] : kHosts) hosts.push_back(name + ":" + std::to_string(slots));
        if (const auto failure = bringUp(kSimulatedClusterScript, clusterDir, hosts)) {
            const std::string why = "cannot create network namespaces here (needs root and iproute2): " + *failure;
            if (environmentMustBeMade()) FAIL() << why;
            GTEST_SKIP() << why;
        }
        made = true;
    }
    void TearDown() override {
        // Also after a failed check: no namespace outlives the test.
        if (made) EXPECT_TRUE(bringDown(kSimulatedClusterScript, clusterDir));
    }

    ScratchFolder scratch;
    fs::path workDir = scratch.path / "run";
    fs::path outputDir = scratch.path / "out";
    fs::path clusterDir = scratch.path / "cluster";
    bool made = false;
};

TEST_F(SimulatedHosts, JobOverThreeHostsNamesEachWorkersHost) {
    JobOptions options;
    options.processes = 4;
    options.launcherPrefix = {(clusterDir / "launch").string()};
    const std::string rsh = (clusterDir / "rsh").string();
    if (kLauncherKind == "openmpi") {
        options.launcherArgs = {"--hostfile", (clusterDir / "hostfile").string(),
                                "--mca", "plm_rsh_agent", rsh,
                                "--mca", "orte_keep_fqdn_hostnames", "1",
                                "--mca", "btl", "tcp,self"};
    } else {
        std::string hosts;
        for (const auto& [name, slots] : kHosts) {
            hosts += (hosts.empty() ? "" : ",") + name + ":" + std::to_string(slots);
        }
        options.launcherArgs = {"-launcher", "rsh", "-launcher-exec", rsh, "-hosts", hosts};
    }
    runAndCheckClusterJob(options, workDir, outputDir, kHosts[0].first,
                          {kHosts[0].first, kHosts[1].first, kHosts[2].first});
}

}  // namespace
}  // namespace e2e
