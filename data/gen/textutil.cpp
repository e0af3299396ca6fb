#include "textutil.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace veltodata {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::vector<TsvLine> ReadTsv(const std::string& path) {
    std::vector<TsvLine> lines;
    std::istringstream in(ReadFile(path));
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (Trim(line).empty() || line[0] == '#') {
            continue;
        }
        lines.push_back({path + ":" + std::to_string(number), Split(line, '\t')});
    }
    return lines;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size()) {
        text.replace(pos, from.size(), to);
    }
    return text;
}

std::string Trim(const std::string& text) {
    std::size_t a = text.find_first_not_of(" \t");
    if (a == std::string::npos) {
        return "";
    }
    std::size_t b = text.find_last_not_of(" \t");
    return text.substr(a, b - a + 1);
}

bool IsAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80 || (c < 0x20 && c != '\t')) {
            return false;
        }
    }
    return true;
}

bool ParseHexText(const std::string& text, std::int64_t& value) {
    if (text.empty() || text.size() > 8) {
        return false;
    }
    value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                           : -1;
        if (digit < 0) {
            return false;
        }
        value = value * 16 + digit;
    }
    return true;
}

std::string KeyText(std::int32_t key) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04X:%02X", (key >> 8) & 0xFFFF, key & 0xFF);
    return buffer;
}

std::string HexText(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", value);
    return buffer;
}

}  // namespace veltodata
