#pragma once
// A strict reader for the generated INI files: sections and keys in file order, duplicates
// reported, so the checks see exactly what was written.
#include <map>
#include <string>
#include <vector>

struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
    // The value of a key (exact spelling) or nullptr.
    const std::string* Find(const std::string& key) const;
};

struct IniText {
    std::vector<IniSection> sections;
    std::vector<std::string> problems;  // malformed lines, duplicate sections or keys
    const IniSection* Find(const std::string& name) const;
};

IniText ReadIni(const std::string& path);
