// The benchmark started the way most clusters start MPI jobs: by Slurm's srun, on a single-node
// Slurm made for the test from Debian's packages and stopped again afterwards.

#include <gtest/gtest.h>

#include "cluster_checks.h"
#include "e2e_config.h"
#include "e2e_support.h"
#include "layout.h"

namespace e2e {
namespace {

class SingleNodeSlurm : public EnvironmentTest {
protected:
    void SetUp() override {
        // Debian's Open MPI speaks PMIx with srun; Debian's MPICH is built for its own launcher.
        if (kLauncherKind != "openmpi") GTEST_SKIP() << "srun --mpi=pmix is tested with Open MPI";
        bringUpEnvironment(kSlurmScript, {}, "a single-node Slurm from Debian's packages, as root");
    }
};

TEST_F(SingleNodeSlurm, SrunStartsAJobOfThreeRanks) {
    JobOptions options;
    options.processes = 3;
    // Standard input goes to rank 0 only (srun hands it to every task otherwise).
    options.launcher = {"/usr/bin/env", "SLURM_CONF=" + (environmentDir / "slurm.conf").string(),
                        "srun", "--mpi=pmix", "-n", "3", "--input=0"};
    runAndCheckClusterJob(options, workDir, outputDir, hostName(), {hostName(), hostName()});
}

// The job scripts shipped for users, submitted with sbatch as a user would, with three tasks.
class ShippedJobScript : public SingleNodeSlurm, public testing::WithParamInterface<const char*> {};

TEST_P(ShippedJobScript, RunsTheBenchmarkAsABatchJob) {
    const fs::path jobOutput = outputDir / "job.out";
    JobOptions options;
    options.processes = 3;
    options.launcher = {"/usr/bin/env",
                        "SLURM_CONF=" + (environmentDir / "slurm.conf").string(),
                        "MEMBENCH_PROGRAM=" + kProgramPath,
                        // Open MPI's mpirun refuses root unless told; CI runs as root.
                        "OMPI_ALLOW_RUN_AS_ROOT=1", "OMPI_ALLOW_RUN_AS_ROOT_CONFIRM=1",
                        "sbatch", "--wait", "--quiet", "--nodes=1", "--ntasks=3",
                        "--ntasks-per-node=3", "--mem-per-cpu=0", "--output=" + jobOutput.string(),
                        kSourceDir + "/scripts/slurm/" + GetParam()};
    const JobResult submitted = runJob(options, workDir, outputDir);
    ASSERT_EQ(submitted.exitStatus, 0) << submitted.console << submitted.errors << readFile(jobOutput);

    // The job's output holds the console report.
    std::vector<std::string> captures;
    ASSERT_TRUE(matchLayout(splitLines(readFile(jobOutput)),
                            reportLayout(Stream::Console, 3, {hostName(), hostName()}), &captures))
        << readFile(jobOutput);
    const std::vector<std::string> files = filesIn(workDir);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(matchLayout(splitLines(readFile(workDir / files[0])),
                            reportLayout(Stream::File, 3, {hostName(), hostName()}), nullptr));
}

INSTANTIATE_TEST_SUITE_P(SrunAndMpirun, ShippedJobScript,
                         testing::Values("membench-srun.sbatch", "membench-mpirun.sbatch"));

}  // namespace
}  // namespace e2e
