#pragma once

// Runs the real program as an MPI job in a folder of its own and collects what it left: exit
// status, both output streams and the files of the start folder.

#include <gtest/gtest.h>
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace e2e {

namespace fs = std::filesystem;
using testfiles::readFile;
using testfiles::ScratchFolder;
using testfiles::writeFile;

struct JobOptions {
    int processes = 1;
    // Text given to the launcher's standard input; without it, standard input is /dev/null.
    std::optional<std::string> input;
    // Command put between the launcher and the program (the program's path comes last).
    std::vector<std::string> wrapper;
    // Command that starts the launcher (put before it), and launcher options of the test's own.
    std::vector<std::string> launcherPrefix;
    std::vector<std::string> launcherArgs;
    // Another launcher with its own process count (srun -n 3, say) in place of the MPI one.
    std::vector<std::string> launcher;
};

struct JobResult {
    int exitStatus = -1;
    std::string console;
    std::string errors;
};

// A test with a scratch folder of its own: workDir is where jobs start (and where the results
// file lands), outputDir keeps what they print.
class ScratchTest : public testing::Test {
protected:
    ScratchTest();
    ScratchFolder scratch;
    fs::path workDir = scratch.path / "run";
    fs::path outputDir = scratch.path / "out";
};

// A test that needs an environment made by a script (simulated hosts, a Slurm): brought up in
// SetUp and down again after the test, also after a failed check. When it cannot be made, the
// test is skipped with the reason, or fails where CI runs as root (environmentMustBeMade).
class EnvironmentTest : public ScratchTest {
protected:
    // `sh SCRIPT up DIR ARGUMENTS...`; true when the environment is up. Otherwise the test has
    // been marked skipped or failed, and SetUp should return.
    bool bringUpEnvironment(const std::string& script, const std::vector<std::string>& arguments,
                            const std::string& whatItNeeds);
    void TearDown() override;
    fs::path environmentDir = scratch.path / "environment";

private:
    std::string script_;
};

// A job started in the background, with a pipe to the launcher's standard input.
struct RunningJob {
    pid_t pid = -1;
    int inputFd = -1;
    fs::path consoleFile;
    fs::path errorFile;
};

// The launcher command line for a job of this many processes.
std::vector<std::string> jobCommand(const JobOptions& options);

// Runs the job with workDir as its start folder; outputs are kept in outputDir.
JobResult runJob(const JobOptions& options, const fs::path& workDir, const fs::path& outputDir);

RunningJob startJob(const JobOptions& options, const fs::path& workDir, const fs::path& outputDir);
// Any command (its first word a path), with standard input from /dev/null or a pipe.
RunningJob startCommand(const std::vector<std::string>& command, bool piped, const fs::path& workDir,
                        const fs::path& outputDir);
JobResult runCommand(const std::vector<std::string>& command, const fs::path& workDir,
                     const fs::path& outputDir);
// Waits until the job's console holds the text; false after the time limit or when it ended.
bool waitForConsole(const RunningJob& job, const std::string& text, int seconds);
void sendInput(RunningJob& job, const std::string& text);
JobResult finishJob(RunningJob& job, int seconds);

std::vector<std::string> splitLines(const std::string& text);

// Regular files directly in the folder, by name.
std::vector<std::string> filesIn(const fs::path& folder);

// Whether any process of this machine holds the file open.
bool fileIsOpenAnywhere(const fs::path& file);

// Writes an executable shell script.
fs::path writeScript(const fs::path& file, const std::string& body);

std::string hostName();

// Whether this machine lets a process set its own host name in a new UTS namespace.
bool canSetHostNamePerProcess();

// Whether a test whose environment cannot be made must fail rather than be skipped: where CI
// runs, as root, everything these tests need can be made.
bool environmentMustBeMade();

// The prefix of a wrapper script that learns the MPI rank of the process it starts.
std::string rankVariableScript();

}  // namespace e2e
