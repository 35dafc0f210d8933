// The reader of results files as a user runs it: on files that real benchmark jobs wrote, and on
// files that are not results files.

#include <gtest/gtest.h>

#include "e2e_config.h"
#include "e2e_support.h"
#include "layout.h"

namespace e2e {
namespace {

class ResultsReader : public ScratchTest {
protected:
    void SetUp() override {
        if (kReaderPath.empty()) GTEST_SKIP() << "cluster-membench-results was not built";
    }
    JobResult read(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), kReaderPath);
        return runCommand(arguments, workDir, outputDir);
    }
};

TEST_F(ResultsReader, TurnsTheFilesOfRealJobsIntoRowsWithTheirFigures) {
    // Jobs of one and of three processes, each in a folder of its own.
    std::vector<std::string> files;
    std::vector<ReportFigures> consoles;
    for (int processes : {1, 3}) {
        const fs::path folder = workDir / std::to_string(processes);
        fs::create_directory(folder);
        JobOptions options;
        options.processes = processes;
        const JobResult job = runJob(options, folder, outputDir);
        ASSERT_EQ(job.exitStatus, 0) << job.errors;
        std::vector<std::string> captures;
        ASSERT_TRUE(matchLayout(splitLines(job.console),
                                reportLayout(Stream::Console, processes,
                                             std::vector<std::string>(processes - 1, hostName())),
                                &captures));
        consoles.push_back(readFigures(captures, Stream::Console, processes));
        files.push_back(consoles.back().resultsPath);
    }

    const JobResult twoCharts = read({files[0], files[1], "--chart", (workDir / "chart.svg").string()});
    ASSERT_EQ(twoCharts.exitStatus, 2) << "a chart draws one run";
    EXPECT_FALSE(fs::exists(workDir / "chart.svg"));
    const JobResult result = read({files[0], files[1]});
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    const std::vector<std::string> lines = splitLines(result.console);
    ASSERT_EQ(lines.size(), 1u + 3 + 9);
    EXPECT_EQ(lines[0], "file,date,time,workload,rank,processor,spent_seconds,millions_per_second,"
                        "megabytes_per_second");
    // Rank 0 of the three-process job, AllocateAndKeep: its baseline figures as the console
    // showed them; then worker 2 of FillArray.
    auto field = [](const std::string& line, int index) {
        std::vector<std::string> fields;
        std::string current;
        bool quoted = false;
        for (char c : line) {
            if (c == '"') quoted = !quoted;
            else if (c == ',' && !quoted) { fields.push_back(current); current.clear(); }
            else current += c;
        }
        fields.push_back(current);
        return fields.at(static_cast<std::size_t>(index));
    };
    const std::string keepRoot = lines[1 + 3 + 3];
    EXPECT_EQ(field(keepRoot, 3), "AllocateAndKeep");
    EXPECT_EQ(field(keepRoot, 4), "0");
    EXPECT_EQ(field(keepRoot, 5), hostName());
    EXPECT_EQ(std::stod(field(keepRoot, 6)), consoles[1].baseline[1].spent);
    EXPECT_EQ(std::stod(field(keepRoot, 7)), consoles[1].baseline[1].millions);
    EXPECT_EQ(std::stod(field(keepRoot, 8)), consoles[1].baseline[1].megabytes);
    const std::string fillWorker = lines.back();
    EXPECT_EQ(field(fillWorker, 3), "FillArray");
    EXPECT_EQ(field(fillWorker, 4), "2");
    EXPECT_EQ(std::stod(field(fillWorker, 7)), consoles[1].sections[2].workers[1].millions);

    const JobResult json = read({"--format", "json", files[1], "--chart", (workDir / "chart.svg").string()});
    ASSERT_EQ(json.exitStatus, 0) << json.errors;
    EXPECT_EQ(json.console.front(), '[');
    std::size_t rows = 0;
    for (std::size_t at = json.console.find("\"workload\""); at != std::string::npos;
         at = json.console.find("\"workload\"", at + 1)) {
        ++rows;
    }
    EXPECT_EQ(rows, 9u);
    const std::string chart = readFile(workDir / "chart.svg");
    EXPECT_EQ(chart.rfind("<?xml", 0), 0u);
    EXPECT_NE(chart.find(hostName() + ": median "), std::string::npos);
    EXPECT_NE(chart.find(", 3 processes"), std::string::npos);
    EXPECT_FALSE(fs::exists(workDir / "chart.svg.partial"));
}

TEST_F(ResultsReader, BadFileIsReportedWithItsLineAndNothingIsWritten) {
    writeFile(workDir / "notes.txt", "shopping list\n");
    const fs::path chart = workDir / "chart.svg";
    const JobResult result = read({(workDir / "notes.txt").string(), "--chart", chart.string()});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.console, "");
    EXPECT_NE(result.errors.find((workDir / "notes.txt").string() + ":1: not a results file"),
              std::string::npos)
        << result.errors;
    EXPECT_FALSE(fs::exists(chart));
    EXPECT_FALSE(fs::exists(workDir / "chart.svg.partial"));

    const JobResult missing = read({(workDir / "absent.txt").string()});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_NE(missing.errors.find("absent.txt: cannot be read"), std::string::npos) << missing.errors;
}

TEST_F(ResultsReader, HostileInputEndsWithOneMessageAndStatusOneWithoutBlocking) {
    const fs::path fifo = workDir / "fifo";
    ASSERT_EQ(std::system(("mkfifo '" + fifo.string() + "'").c_str()), 0);
    writeFile(workDir / "zeros.txt", std::string(3 << 20, '\0'));
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {workDir.string(), workDir.string() + ": not a regular file"},
        {fifo.string(), fifo.string() + ": not a regular file"},  // no writer: opening would block
        {"/dev/zero", "/dev/zero: not a regular file"},           // would never end
        {(workDir / "zeros.txt").string(), (workDir / "zeros.txt").string() + ":1: a line longer than 4096 bytes"},
    };
    for (const auto& c : cases) {
        std::vector<std::vector<std::string>> commands = {{c.path}};
        // For summary a folder stands for the results files in it.
        if (c.path != workDir.string()) commands.push_back({"summary", c.path});
        for (const auto& command : commands) {
            const JobResult result = read(command);
            EXPECT_EQ(result.exitStatus, 1) << c.path << result.errors;
            EXPECT_EQ(result.console, "");
            EXPECT_EQ(result.errors.rfind("cluster-membench-results: " + c.message, 0), 0u) << result.errors;
            EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
        }
    }
}

TEST_F(ResultsReader, HelpExplainsTheOptionsAndWrongOptionsAreRefused) {
    const JobResult help = read({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* option : {"--format", "--chart", "FILE"}) {
        EXPECT_NE(help.console.find(option), std::string::npos) << option;
    }
    EXPECT_NE(read({"--format", "xml", "x.txt"}).exitStatus, 0);
    EXPECT_NE(read({}).exitStatus, 0);
}

}  // namespace
}  // namespace e2e
