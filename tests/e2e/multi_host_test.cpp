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

class SimulatedHosts : public EnvironmentTest {
protected:
    void SetUp() override {
        if (kLauncherKind != "openmpi" && kLauncherKind != "mpich") {
            GTEST_SKIP() << "no recipe for starting this MPI launcher over a remote shell";
        }
        std::vector<std::string> hosts;
        for (const auto& [name, slots] : kHosts) hosts.push_back(name + ":" + std::to_string(slots));
        bringUpEnvironment(kSimulatedClusterScript, hosts, "network namespaces need root and iproute2");
    }
};

TEST_F(SimulatedHosts, JobOverThreeHostsNamesEachWorkersHost) {
    JobOptions options;
    options.processes = 4;
    options.launcherPrefix = {(environmentDir / "launch").string()};
    const std::string rsh = (environmentDir / "rsh").string();
    if (kLauncherKind == "openmpi") {
        options.launcherArgs = {"--hostfile", (environmentDir / "hostfile").string(),
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
