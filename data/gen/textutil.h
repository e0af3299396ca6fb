#pragma once
// Small text helpers of the data tools.
#include <cstdint>
#include <string>
#include <vector>

namespace veltodata {

struct TsvLine {
    std::string origin;  // file:line
    std::vector<std::string> cells;
};

// Tab-separated rows of a UTF-8 file; blank lines and lines starting with '#' are skipped.
// Throws std::runtime_error when the file cannot be read.
std::vector<TsvLine> ReadTsv(const std::string& path);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);

std::vector<std::string> Split(const std::string& text, char separator);
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);
std::string Trim(const std::string& text);
bool IsAscii(const std::string& text);
// Hexadecimal digits only (no prefix), at most 8 of them.
bool ParseHexText(const std::string& text, std::int64_t& value);
// "IIII:SS" for a key.
std::string KeyText(std::int32_t key);
// Upper-case hexadecimal without leading zeros, as the list files hold keys.
std::string HexText(std::uint32_t value);

}  // namespace veltodata
