#include "datfile.h"

#include <stdexcept>

#include "cp936.h"

namespace veltodata {
namespace {

void PutField(std::string& out, const std::string& text, std::size_t size, bool needNul,
              const char* what) {
    if (text.size() > size || (needNul && text.size() == size)) {
        throw std::runtime_error(std::string(what) + " too long (" + std::to_string(text.size()) +
                                 " bytes): " + text.substr(0, 80));
    }
    out += text;
    out.append(size - text.size(), '\0');
}

std::string GetField(const std::string& bytes, std::size_t& pos, std::size_t size, bool needNul,
                     const char* what) {
    std::string field = bytes.substr(pos, size);
    pos += size;
    std::size_t nul = field.find('\0');
    if (nul == std::string::npos) {
        if (needNul) {
            throw std::runtime_error(std::string(what) + " field without NUL");
        }
        return field;
    }
    return field.substr(0, nul);
}

std::string ToUtf8(const std::string& gbk) {
    return Cp936ToUtf8(gbk);
}

}  // namespace

std::string EncodeRecord(const DatRecord& r) {
    std::string out;
    out.reserve(kRecordSize);
    PutField(out, r.index, kIndexSize, false, "index");
    PutField(out, r.sub, kSubSize, false, "sub-index");
    PutField(out, r.nameZh, kNameSize, true, "Chinese name");
    PutField(out, r.nameEn, kNameSize, true, "English name");
    PutField(out, r.dataType, kTypeSize, true, "data type");
    PutField(out, r.access, kAccessSize, true, "access");
    PutField(out, r.helpZh, kHelpSize, true, "Chinese help");
    PutField(out, r.helpEn, kHelpSize, true, "English help");
    PutField(out, r.unitDefinition, kUnitSize, true, "unit definition");
    return out;
}

std::vector<DatRecord> DecodeFile(const std::string& bytes) {
    if (bytes.size() % kRecordSize != 0) {
        throw std::runtime_error("file size " + std::to_string(bytes.size()) +
                                 " is not a multiple of the record size");
    }
    std::vector<DatRecord> records;
    for (std::size_t pos = 0; pos < bytes.size();) {
        DatRecord r;
        r.index = GetField(bytes, pos, kIndexSize, false, "index");
        r.sub = GetField(bytes, pos, kSubSize, false, "sub-index");
        r.nameZh = GetField(bytes, pos, kNameSize, true, "Chinese name");
        r.nameEn = GetField(bytes, pos, kNameSize, true, "English name");
        r.dataType = GetField(bytes, pos, kTypeSize, true, "data type");
        r.access = GetField(bytes, pos, kAccessSize, true, "access");
        r.helpZh = GetField(bytes, pos, kHelpSize, true, "Chinese help");
        r.helpEn = GetField(bytes, pos, kHelpSize, true, "English help");
        r.unitDefinition = GetField(bytes, pos, kUnitSize, true, "unit definition");
        records.push_back(std::move(r));
    }
    return records;
}

std::string DumpText(const std::vector<DatRecord>& records) {
    std::string out;
    for (const DatRecord& r : records) {
        out += "[" + r.index + ":" + r.sub + "]\n";
        out += "type=" + r.dataType + "\n";
        out += "access=" + r.access + "\n";
        out += "name.en=" + r.nameEn + "\n";
        out += "name.zh=" + ToUtf8(r.nameZh) + "\n";
        out += "unit=" + r.unitDefinition + "\n";
        out += "help.en=" + r.helpEn + "\n";
        out += "help.zh=" + ToUtf8(r.helpZh) + "\n";
    }
    return out;
}

}  // namespace veltodata
