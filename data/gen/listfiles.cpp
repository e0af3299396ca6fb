#include "listfiles.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <stdexcept>

#include "dictionarywriter.h"
#include "textutil.h"

namespace veltodata {
namespace {

void AddKeys(KeyList& list, const std::string& text, const ObjectTable& table,
             const std::string& origin) {
    std::vector<std::string> parts = Split(text, ':');
    std::int64_t index = 0, sub = 0;
    if (parts.size() != 2 || parts[0].size() != 4 || !ParseHexText(parts[0], index)) {
        throw std::runtime_error(origin + ": expected IIII:SS, found " + text);
    }
    std::vector<std::int32_t> keys;
    if (parts[1] == "*") {
        for (const ObjectRow& row : table.Rows()) {
            if (row.index == index) {
                keys.push_back(row.Key());
            }
        }
    } else if (parts[1].size() == 2 && ParseHexText(parts[1], sub)) {
        keys.push_back(static_cast<std::int32_t>(index * 256 + sub));
    } else if (std::int64_t last = 0; parts[1].size() == 6 && parts[1].substr(2, 2) == ".." &&
                                      ParseHexText(parts[1].substr(0, 2), sub) &&
                                      ParseHexText(parts[1].substr(4), last)) {
        for (; sub <= last; ++sub) {
            keys.push_back(static_cast<std::int32_t>(index * 256 + sub));
        }
    }
    if (keys.empty()) {
        throw std::runtime_error(origin + ": no object " + text + " in the dictionary");
    }
    for (std::int32_t key : keys) {
        if (!table.Find(key)) {
            throw std::runtime_error(origin + ": no object " + KeyText(key) + " in the dictionary");
        }
        for (std::int32_t seen : list.keys) {
            if (seen == key) {
                throw std::runtime_error(origin + ": " + KeyText(key) + " twice in " + list.name);
            }
        }
        list.keys.push_back(key);
    }
}

}  // namespace

std::vector<KeyList> ReadKeyLists(const std::string& path, const ObjectTable& table) {
    std::vector<KeyList> lists;
    std::istringstream in(ReadFile(path));
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::string origin = path + ":" + std::to_string(number);
        line = Trim(line.substr(0, line.find('#')));
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            lists.push_back({line.substr(1, line.size() - 2), {}});
        } else if (lists.empty()) {
            throw std::runtime_error(origin + ": key before the first section");
        } else {
            AddKeys(lists.back(), line, table, origin);
        }
    }
    return lists;
}

std::string PageListText(const KeyList& list) {
    std::string out = "[" + list.name + "]\n";
    out += "num=" + std::to_string(list.keys.size()) + "\n";
    for (std::size_t i = 0; i < list.keys.size(); ++i) {
        out += std::to_string(i + 1) + "=" + HexText(list.keys[i]) + "\n";
    }
    return out;
}

std::string ScopeSettingsText(const std::vector<KeyList>& lists) {
    std::string out;
    for (const KeyList& list : lists) {
        if (list.name != "trigger" && list.name != "channel") {
            throw std::runtime_error("scope lists have the sections trigger and channel only");
        }
        out += "[" + list.name + "]\n";
        for (std::size_t i = 0; i < list.keys.size(); ++i) {
            out += std::to_string(i + 1) + "=" + HexText(list.keys[i]) + "\n";
        }
    }
    return out;
}

std::string MonitorListText(const KeyList& list, const ObjectTable& table) {
    std::string out = "[F001]\nnum=" + std::to_string(list.keys.size()) + "\n";
    for (std::size_t i = 0; i < list.keys.size(); ++i) {
        const ObjectRow* row = table.Find(list.keys[i]);
        if (row->IsString()) {
            throw std::runtime_error("monitor entry " + KeyText(row->Key()) + " is a string");
        }
        std::uint32_t entry = static_cast<std::uint32_t>(row->Key()) * 256 + row->Width();
        out += std::to_string(i + 1) + "=" + HexText(entry) + "\n";
    }
    return out;
}

std::string DigitalIoText(const std::string& tsvPath) {
    std::string sections[2] = {"[in]\n", "[out]\n"};
    std::set<std::string> seen;
    for (const TsvLine& line : ReadTsv(tsvPath)) {
        const std::vector<std::string>& c = line.cells;
        std::int64_t mask = 0;
        bool ok = c.size() == 4 && (c[0] == "in" || c[0] == "out") && c[1].size() == 4 &&
                  ParseHexText(c[1], mask) && mask != 0x8000 && !c[2].empty() && !c[3].empty();
        if (!ok || !seen.insert(c[0] + c[1]).second) {
            throw std::runtime_error(line.origin + ": expected in|out, mask, English, Chinese");
        }
        std::string& out = sections[c[0] == "out"];
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(mask));
        out += std::string("ch") + digits + "=" + c[3] + "\n";
        out += std::string("en") + digits + "=" + c[2] + "\n";
    }
    return sections[0] + "\n" + sections[1];
}

std::string SimDefaultsText(const ObjectTable& table) {
    std::string out =
        "# Defaults of the simulated drive, generated from data/objects/*.tsv.\n"
        "# Columns (tab-separated): key IIIISS (index and sub-index, hexadecimal), data type,\n"
        "# access letters (W writable, L live; - for none), default, min, max.\n"
        "# Numbers are decimal; for VISIBLE STRING the default is the text and min/max are -.\n";
    for (const ObjectRow& row : table.Rows()) {
        char key[16];
        std::snprintf(key, sizeof key, "%04X%02X", row.index, row.sub);
        out += std::string(key) + "\t" + row.dataType + "\t" +
               (row.access.empty() ? "-" : row.access) + "\t";
        if (row.IsString()) {
            out += row.defaultText + "\t-\t-\n";
        } else {
            out += std::to_string(row.defaultValue) + "\t" + std::to_string(row.minValue) + "\t" +
                   std::to_string(row.maxValue) + "\n";
        }
    }
    return out;
}

void WriteRuntime(const std::string& sourceDir, const std::string& runtimeDir) {
    namespace fs = std::filesystem;
    // Everything is built before the first file is written, so a faulty source leaves the
    // runtime folder as it was.
    ObjectTable table = ObjectTable::Load(sourceDir);
    std::vector<std::pair<std::string, std::string>> files = {
        {"data/velto.dat", DictionaryFileImage(table)},
        {"data/velto_sim.tsv", SimDefaultsText(table)},
        {"data/DataInOut.ini", DigitalIoText(sourceDir + "/dinout.tsv")},
        {"sys/Oscilloscope.ini", ScopeSettingsText(ReadKeyLists(sourceDir + "/scope.txt", table))},
    };
    for (const KeyList& list : ReadKeyLists(sourceDir + "/pages.txt", table)) {
        files.emplace_back("sys/" + list.name + ".ini", PageListText(list));
    }
    std::vector<KeyList> monitor = ReadKeyLists(sourceDir + "/monitor.txt", table);
    if (monitor.size() != 1 || monitor[0].name != "F001") {
        throw std::runtime_error("monitor.txt holds the one section F001");
    }
    files.emplace_back("sys/F001.ini", MonitorListText(monitor[0], table));
    std::string settings = ReadFile(sourceDir + "/sys.ini");

    for (const char* dir : {"data", "sys", "user"}) {
        fs::create_directories(runtimeDir + "/" + dir);
    }
    for (const auto& [path, content] : files) {
        WriteFile(runtimeDir + "/" + path, content);
    }
    if (!fs::exists(runtimeDir + "/sys/sys.ini")) {  // user state: never overwritten
        WriteFile(runtimeDir + "/sys/sys.ini", settings);
    }
}

}  // namespace veltodata
