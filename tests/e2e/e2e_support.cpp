#include "e2e_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "e2e_config.h"

namespace e2e {

ScratchTest::ScratchTest() {
    fs::create_directory(workDir);
    fs::create_directory(outputDir);
}

std::vector<std::string> jobCommand(const JobOptions& options) {
    std::vector<std::string> command = options.launcherPrefix;
    if (options.launcher.empty()) {
        command.push_back(kLauncherPath);
        command.insert(command.end(), kLauncherFlags.begin(), kLauncherFlags.end());
        command.insert(command.end(), options.launcherArgs.begin(), options.launcherArgs.end());
        command.push_back(kLauncherProcessFlag);
        command.push_back(std::to_string(options.processes));
    } else {
        command.insert(command.end(), options.launcher.begin(), options.launcher.end());
    }
    command.insert(command.end(), options.wrapper.begin(), options.wrapper.end());
    command.push_back(kProgramPath);
    return command;
}

RunningJob startJob(const JobOptions& options, const fs::path& workDir, const fs::path& outputDir) {
    return startCommand(jobCommand(options), options.input.has_value(), workDir, outputDir);
}

RunningJob startCommand(const std::vector<std::string>& command, bool piped, const fs::path& workDir,
                        const fs::path& outputDir) {
    RunningJob job;
    job.consoleFile = outputDir / "console.txt";
    job.errorFile = outputDir / "errors.txt";

    int pipeFds[2] = {-1, -1};
    if (piped && pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");

    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        setpgid(0, 0);
        if (chdir(workDir.c_str()) != 0) _exit(126);
        const int in = piped ? pipeFds[0] : open("/dev/null", O_RDONLY);
        const int out = open(job.consoleFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(job.errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (piped) {
            close(pipeFds[0]);
            close(pipeFds[1]);
        }
        std::vector<char*> argv;
        for (const auto& word : command) argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    job.pid = pid;
    if (piped) {
        close(pipeFds[0]);
        job.inputFd = pipeFds[1];
    }
    return job;
}

void sendInput(RunningJob& job, const std::string& text) {
    if (job.inputFd < 0) return;
    ssize_t written = write(job.inputFd, text.data(), text.size());
    (void)written;
}

bool waitForConsole(const RunningJob& job, const std::string& text, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (readFile(job.consoleFile).find(text) != std::string::npos) return true;
        int status = 0;
        if (waitpid(job.pid, &status, WNOHANG) == job.pid) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

JobResult finishJob(RunningJob& job, int seconds) {
    if (job.inputFd >= 0) {
        close(job.inputFd);
        job.inputFd = -1;
    }
    JobResult result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(job.pid, &status, WNOHANG);
        if (done == job.pid) break;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-job.pid, SIGKILL);
            waitpid(job.pid, &status, 0);
            result.errors = "job killed after " + std::to_string(seconds) + " s\n";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.console = readFile(job.consoleFile);
    result.errors += readFile(job.errorFile);
    return result;
}

JobResult runJob(const JobOptions& options, const fs::path& workDir, const fs::path& outputDir) {
    RunningJob job = startJob(options, workDir, outputDir);
    if (options.input) sendInput(job, *options.input);
    return finishJob(job, 300);
}

JobResult runCommand(const std::vector<std::string>& command, const fs::path& workDir,
                     const fs::path& outputDir) {
    RunningJob job = startCommand(command, false, workDir, outputDir);
    return finishJob(job, 120);
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));  // a last line without its line end
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    return names;
}

bool fileIsOpenAnywhere(const fs::path& file) {
    const fs::path wanted = fs::weakly_canonical(file);
    std::error_code error;
    for (const auto& process : fs::directory_iterator("/proc", error)) {
        const std::string pidText = process.path().filename().string();
        if (pidText.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", fdError)) {
            std::error_code linkError;
            const fs::path target = fs::read_symlink(fd.path(), linkError);
            if (!linkError && target == wanted) return true;
        }
    }
    return false;
}

fs::path writeScript(const fs::path& file, const std::string& body) {
    writeFile(file, "#!/bin/sh\n" + body);
    fs::permissions(file, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    return file;
}

std::string hostName() {
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    return name;
}

bool canSetHostNamePerProcess() {
    return std::system("unshare --uts sh -c 'printf %s probe > /proc/sys/kernel/hostname' "
                       ">/dev/null 2>&1") == 0;
}

namespace {
std::string shellQuoted(const std::string& word) { return "'" + word + "'"; }
}  // namespace

bool EnvironmentTest::bringUpEnvironment(const std::string& script,
                                         const std::vector<std::string>& arguments,
                                         const std::string& whatItNeeds) {
    const fs::path log = scratch.path / "environment.log";
    std::string command = "sh " + shellQuoted(script) + " up " + shellQuoted(environmentDir.string());
    for (const auto& argument : arguments) command += " " + shellQuoted(argument);
    command += " >" + shellQuoted(log.string()) + " 2>&1";
    if (std::system(command.c_str()) == 0) {
        script_ = script;
        return true;
    }
    const std::string why = "cannot make the test environment here (" + whatItNeeds + "): " + readFile(log);
    if (environmentMustBeMade()) {
        ADD_FAILURE() << why;
    } else {
        [&] { GTEST_SKIP() << why; }();  // marks the test skipped; SetUp returns on false
    }
    return false;
}

void EnvironmentTest::TearDown() {
    if (script_.empty()) return;
    const std::string command = "sh " + shellQuoted(script_) + " down " + shellQuoted(environmentDir.string());
    EXPECT_EQ(std::system(command.c_str()), 0) << "bringing the test environment down failed";
}

bool environmentMustBeMade() { return std::getenv("CI") != nullptr && geteuid() == 0; }

std::string rankVariableScript() {
    // Open MPI names the rank OMPI_COMM_WORLD_RANK, MPICH's launcher PMI_RANK, Slurm SLURM_PROCID.
    return "rank=${OMPI_COMM_WORLD_RANK:-${PMI_RANK:-${SLURM_PROCID:-0}}}\n";
}

}  // namespace e2e
