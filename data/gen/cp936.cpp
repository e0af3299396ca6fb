#include "cp936.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace veltodata {
namespace {

std::string Convert(const std::string& in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    std::string out(in.size() * 4 + 4, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) {
        throw std::runtime_error("text not convertible to " + std::string(to) + ": " + in);
    }
    out.resize(out.size() - dstLeft);
    return out;
}

}  // namespace

std::string Utf8ToCp936(const std::string& utf8) {
    return Convert(utf8, "CP936", "UTF-8");
}

std::string Cp936ToUtf8(const std::string& gbk) {
    return Convert(gbk, "UTF-8", "CP936");
}

}  // namespace veltodata
