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

template <typename... Pieces>
void writeLine(std::ostream& out, const Pieces&... pieces) {
    (writePiece(out, pieces), ...);
    endLine(out);
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
    endLine(*channel.console);
    endLine(*channel.file);
}
