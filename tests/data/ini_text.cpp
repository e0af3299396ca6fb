#include "ini_text.h"

#include <cctype>
#include <set>
#include <sstream>

#include "textutil.h"

const std::string* IniSection::Find(const std::string& key) const {
    for (const auto& entry : entries) {
        if (entry.first == key) {
            return &entry.second;
        }
    }
    return nullptr;
}

const IniSection* IniText::Find(const std::string& name) const {
    for (const IniSection& section : sections) {
        if (section.name == name) {
            return &section;
        }
    }
    return nullptr;
}

IniText ReadIni(const std::string& path) {
    IniText ini;
    std::istringstream in(veltodata::ReadFile(path));
    std::string line;
    std::set<std::string> keys;
    while (std::getline(in, line)) {
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            if (ini.Find(line.substr(1, line.size() - 2))) {
                ini.problems.push_back(path + ": section twice: " + line);
            }
            ini.sections.push_back({line.substr(1, line.size() - 2), {}});
            keys.clear();
            continue;
        }
        std::size_t eq = line.find('=');
        if (ini.sections.empty() || eq == std::string::npos || eq == 0) {
            ini.problems.push_back(path + ": malformed line: " + line);
            continue;
        }
        std::string key = line.substr(0, eq);
        std::string folded = key;
        for (char& c : folded) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (!keys.insert(folded).second) {  // the profile reader ignores case
            ini.problems.push_back(path + ": key twice: " + key);
        }
        ini.sections.back().entries.emplace_back(key, line.substr(eq + 1));
    }
    return ini;
}
