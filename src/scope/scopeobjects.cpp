#include "scope/scopeobjects.h"

#include "app/global.h"

namespace scope {

bool MakeItemCode(const CAllSdo& dictionary, std::int32_t key, std::uint32_t& code) {
    CSdoInfo entry;
    if (key <= 0 || !dictionary.FindByKey(key, entry))
        return false;
    const int width = CGlobal::DataTypeWidth(entry.dataType);
    if (width != 8 && width != 16 && width != 32)
        return false;
    const bool isSigned = entry.dataType.startsWith(u'I') || entry.dataType.startsWith(u'i');
    code = std::uint32_t(key) * 256u + std::uint32_t(width) + (isSigned ? 1u : 0u);
    return true;
}

}  // namespace scope
