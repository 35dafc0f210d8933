#include "reader/utf8_text.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the character at `at`; on an invalid sequence gives U+FFFD and consumes one byte.
char32_t decodeAt(const std::string& text, std::size_t& at) {
    const auto byte = [&](std::size_t index) { return static_cast<unsigned char>(text[index]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        ++at;
        return kReplacement;
    }
    if (at + length > text.size()) {
        ++at;
        return kReplacement;
    }
    for (std::size_t index = 1; index < length; ++index) {
        const unsigned char next = byte(at + index);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kReplacement;
        }
        value = (value << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
    if (value < smallest || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
        ++at;
        return kReplacement;
    }
    at += length;
    return value;
}

void encode(char32_t value, std::string& out) {
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

// XML 1.0's Char production.
bool allowedInXml(char32_t value) {
    return value == 0x9 || value == 0xA || value == 0xD || (value >= 0x20 && value <= 0xD7FF) ||
           (value >= 0xE000 && value <= 0xFFFD) || (value >= 0x10000 && value <= 0x10FFFF);
}

}  // namespace

std::string validUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) encode(decodeAt(text, at), out);
    return out;
}

std::string xmlText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t value = decodeAt(text, at);
        switch (value) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                if (allowedInXml(value)) encode(value, out);
        }
    }
    return out;
}

std::size_t characterCount(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) decodeAt(text, at);
    return count;
}

std::string shortenText(const std::string& text, std::size_t longest) {
    const std::string valid = validUtf8(text);
    if (characterCount(valid) <= longest) return valid;
    const std::size_t kept = longest > 3 ? longest - 3 : 0;
    std::string out;
    std::size_t at = 0;
    for (std::size_t count = 0; count < kept && at < valid.size(); ++count) {
        encode(decodeAt(valid, at), out);
    }
    return out + std::string("...").substr(0, longest - kept);
}

std::string lineExcerpt(const std::string& line, std::size_t longestBytes) {
    if (line.size() <= longestBytes) return line;
    std::size_t end = longestBytes;
    // Step back over continuation bytes, so no character is cut in two.
    while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
    return line.substr(0, end) + "...";
}
