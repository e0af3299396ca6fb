#pragma once
// The runtime's list and settings files, written from the sources under data/.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "objecttable.h"

namespace veltodata {

// A section of a key list source (pages.txt, scope.txt, monitor.txt): object keys in order.
struct KeyList {
    std::string name;
    std::vector<std::int32_t> keys;
};

// Reads "[section]" headers followed by "IIII:SS", "IIII:SS..SS" (a sub-index range) or
// "IIII:*" (every sub-index of the index in the table) lines; "#" starts a comment. Throws on keys
// missing from the table, duplicates within a section and malformed lines.
std::vector<KeyList> ReadKeyLists(const std::string& path, const ObjectTable& table);

// Section text of a page list file: num and the keys 1..num in hexadecimal.
std::string PageListText(const KeyList& list);
// Scope settings file: sections "trigger" and "channel".
std::string ScopeSettingsText(const std::vector<KeyList>& lists);
// Monitor list (F001): entries are key * 256 + bit length.
std::string MonitorListText(const KeyList& list, const ObjectTable& table);
// Digital I/O function names from dinout.tsv: section, mask, English, Chinese.
std::string DigitalIoText(const std::string& tsvPath);
// Simulated drive defaults, one line per object.
std::string SimDefaultsText(const ObjectTable& table);

// Writes every runtime file below `runtimeDir`; sys/sys.ini only when it does not exist yet.
void WriteRuntime(const std::string& sourceDir, const std::string& runtimeDir);

}  // namespace veltodata
