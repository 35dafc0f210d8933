#pragma once

#include <ostream>
#include <string>

#include "report/number_form.h"

// The two streams every report line goes to: the console and the results file. Lines are
// written piece by piece and end with a newline and a flush of their stream, so each finished
// line is visible at once. The streams are never given a width, precision, flag or locale.
struct ReportChannel {
    std::ostream* console;
    std::ostream* file;
};

// Pieces: literal texts and other strings are written as they are, ints in plain decimal,
// doubles as general numbers.
inline void writePiece(std::ostream& out, const char* text) { out << text; }
inline void writePiece(std::ostream& out, const std::string& text) { out << text; }
inline void writePiece(std::ostream& out, int value) { out << integerNumber(value); }
inline void writePiece(std::ostream& out, double value) { out << generalNumber(value); }

inline void endLine(std::ostream& out) {
    out.put('\n');
    out.flush();
}

// The error number of the first write or flush that failed on the stream, kept in the stream's
// own storage; 0 while every line has reached its destination.
long& firstWriteError(std::ios_base& stream);

// Records errno as the stream's first write error, unless one is recorded already.
void noteWriteFailure(std::ios_base& stream);

template <typename... Pieces>
void writeLine(std::ostream& out, const Pieces&... pieces) {
    const bool wasGood = out.good();
    (writePiece(out, pieces), ...);
    endLine(out);
    // A stream fails at the write that fails and stays failed, so the error number of that
    // write is still errno here.
    if (wasGood && !out.good()) noteWriteFailure(out);
}

template <typename... Pieces>
void consoleLine(ReportChannel& channel, const Pieces&... pieces) {
    writeLine(*channel.console, pieces...);
}

template <typename... Pieces>
void fileLine(ReportChannel& channel, const Pieces&... pieces) {
    writeLine(*channel.file, pieces...);
}

// The same line on the console first, then in the results file.
template <typename... Pieces>
void lineOnBoth(ReportChannel& channel, const Pieces&... pieces) {
    consoleLine(channel, pieces...);
    fileLine(channel, pieces...);
}

inline void blankOnBoth(ReportChannel& channel) {
    writeLine(*channel.console);
    writeLine(*channel.file);
}
