// The Debian package as an administrator uses it: made with CPack from this build, installed
// with its dependencies from Debian's archive into a clean Debian 12 root, and run there.

#include <gtest/gtest.h>

#include "e2e_config.h"
#include "e2e_support.h"
#include "layout.h"

namespace e2e {
namespace {

class DebianPackage : public EnvironmentTest {
protected:
    void SetUp() override {
        bringUpEnvironment(kDebianRootScript, {}, "debootstrap of a Debian 12 root needs root and debootstrap");
    }
};

TEST_F(DebianPackage, InstallsWithItsDependenciesIntoACleanDebianAndRuns) {
    const fs::path packages = scratch.path / "packages";
    const JobResult made = runCommand(
        {kCPackCommand, "-G", "DEB", "-B", packages.string(), "--config", kBuildDir + "/CPackConfig.cmake"}, workDir,
        outputDir);
    ASSERT_EQ(made.exitStatus, 0) << made.console << made.errors;
    fs::path package;
    for (const auto& entry : fs::directory_iterator(packages)) {
        if (entry.path().extension() == ".deb") package = entry.path();
    }
    ASSERT_FALSE(package.empty());

    // Its dependencies: the MPI runtime it was built against, its launcher, the C and C++
    // runtimes; nothing from the build (no development package, no test or benchmark library).
    const JobResult fields = runCommand({"/usr/bin/dpkg-deb", "-f", package.string(), "Depends"}, workDir, outputDir);
    ASSERT_EQ(fields.exitStatus, 0) << fields.errors;
    const std::string depends = fields.console;
    if (kLauncherKind == "openmpi") {
        EXPECT_NE(depends.find("libopenmpi3"), std::string::npos) << depends;
        EXPECT_NE(depends.find("openmpi-bin"), std::string::npos) << depends;
    } else if (kLauncherKind == "mpich") {
        EXPECT_NE(depends.find("libmpich"), std::string::npos) << depends;
    }
    for (const char* fromTheBuild : {"-dev", "gtest", "benchmark", "tinyxml", "cmake", "g++"}) {
        EXPECT_EQ(depends.find(fromTheBuild), std::string::npos) << fromTheBuild << " in " << depends;
    }

    // Installed with apt-get from Debian's archive, then a job and the reader in a folder of
    // their own.
    const fs::path root = environmentDir / "root";
    fs::copy_file(package, root / "tmp" / package.filename());
    const std::string script =
        "export DEBIAN_FRONTEND=noninteractive\n"
        "apt-get update -q >/tmp/apt.log 2>&1 && apt-get install -y -q /tmp/" + package.filename().string() +
        " >>/tmp/apt.log 2>&1 || { tail -20 /tmp/apt.log >&2; exit 90; }\n"
        "mkdir -p /job && cd /job\n"
        "mpirun --allow-run-as-root -np 1 cluster-membench </dev/null >console.txt || exit 91\n"
        "cluster-membench-results results_memory_windows_clusters* >rows.csv || exit 92\n"
        "cluster-membench --version >version.txt || exit 93\n";
    const JobResult inside = runCommand({"/usr/sbin/chroot", root.string(), "/bin/sh", "-c", script}, workDir, outputDir);
    ASSERT_EQ(inside.exitStatus, 0) << inside.console << inside.errors;
    EXPECT_TRUE(matchLayout(splitLines(readFile(root / "job" / "console.txt")), reportLayout(Stream::Console, 1, {}),
                            nullptr));
    const std::vector<std::string> rows = splitLines(readFile(root / "job" / "rows.csv"));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_NE(rows[3].find(",FillArray,0,"), std::string::npos) << rows[3];
    EXPECT_EQ(readFile(root / "job" / "version.txt"), "cluster-membench " + kProjectVersion + "\n");
}

}  // namespace
}  // namespace e2e
