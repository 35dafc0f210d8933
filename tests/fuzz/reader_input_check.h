#pragma once

#include <string>

// Runs one input through everything the reader does with a results file (parse, CSV and JSON
// rows, summary, summary CSV and JSON, chart) and says what is wrong with the outcome, whatever
// the input: JSON that does not parse back, a chart that is not valid XML or not bounded in
// size. Empty when all is well (an input that is not a results file is refused, which is well).
//
// The input is a file's text, or the processor name of rank 0 (for the file's name), a zero
// byte, and the file's text.
std::string checkReaderInput(const std::string& input);
