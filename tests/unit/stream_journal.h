#pragma once

// Two output streams that write into one shared journal, each line tagged with the stream it
// went to and whether the line end flushed it. Shows what the report wrote, where, and in
// which order between the two streams.

#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "report/report_channel.h"

struct JournalLine {
    char stream;  // 'C' console, 'F' file
    std::string text;
    bool operator==(const JournalLine& other) const {
        return stream == other.stream && text == other.text;
    }
};

class JournalBuffer : public std::streambuf {
public:
    JournalBuffer(char stream, std::vector<JournalLine>& journal, std::string& errors)
        : stream_(stream), journal_(journal), errors_(errors) {}

protected:
    int overflow(int character) override {
        if (character == traits_type::eof()) return 0;
        if (character == '\n') {
            pendingEnd_ = true;
        } else {
            if (pendingEnd_) errors_ += "a line ended without a flush\n";
            pendingEnd_ = false;
            current_ += static_cast<char>(character);
        }
        return character;
    }
    int sync() override {
        if (pendingEnd_) {
            journal_.push_back({stream_, current_});
            current_.clear();
            pendingEnd_ = false;
        }
        return 0;
    }

private:
    char stream_;
    std::vector<JournalLine>& journal_;
    std::string& errors_;
    std::string current_;
    bool pendingEnd_ = false;
};

struct StreamJournal {
    std::vector<JournalLine> lines;
    std::string errors;
    JournalBuffer consoleBuffer{'C', lines, errors};
    JournalBuffer fileBuffer{'F', lines, errors};
    std::ostream console{&consoleBuffer};
    std::ostream file{&fileBuffer};
    ReportChannel channel{&console, &file};

    // The lines of one stream, in order.
    std::vector<std::string> of(char stream) const {
        std::vector<std::string> texts;
        for (const auto& line : lines) {
            if (line.stream == stream) texts.push_back(line.text);
        }
        return texts;
    }
};
