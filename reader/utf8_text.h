#pragma once

#include <cstddef>
#include <string>

// Texts from results files are bytes from a host: a processor name may hold anything. These
// make them safe to show: valid UTF-8, fit for XML, shortened at character boundaries.

// The text with every byte sequence that is not UTF-8 replaced by U+FFFD.
std::string validUtf8(const std::string& text);

// Character data for XML 1.0: valid UTF-8, the characters XML does not allow (control
// characters, U+FFFE, U+FFFF) dropped, and & < > " ' escaped.
std::string xmlText(const std::string& text);

// At most `longest` characters (not bytes) of valid UTF-8; a shortened text ends in "...",
// which counts towards `longest`.
std::string shortenText(const std::string& text, std::size_t longest);

// The number of characters of a valid UTF-8 text.
std::size_t characterCount(const std::string& text);

// At most the first `longestBytes` bytes of a line, cut at a character boundary, with "..."
// after a cut: how an error message quotes a line.
std::string lineExcerpt(const std::string& line, std::size_t longestBytes = 80);
