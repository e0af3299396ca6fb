#include "platform/codepage.h"

#include <errno.h>
#include <iconv.h>

#include <cstring>

namespace platform {
namespace {

// One conversion descriptor per thread and direction: iconv state is not shareable.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == Invalid() && std::strcmp(from, "CP936") == 0)
            cd_ = iconv_open(to, "GBK");
        if (cd_ == Invalid() && std::strcmp(to, "CP936") == 0)
            cd_ = iconv_open("GBK", from);
    }
    ~Converter() {
        if (cd_ != Invalid())
            iconv_close(cd_);
    }
    bool Valid() const { return cd_ != Invalid(); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; at an unconvertible sequence appends `replacement` and skips
    // `skip(remaining input)` bytes.
    template <typename Skip>
    QByteArray Run(const QByteArray& in, const char* replacement, Skip skip) {
        QByteArray out;
        if (cd_ == Invalid())
            return out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
        char* src = const_cast<char*>(in.constData());
        size_t srcLeft = size_t(in.size());
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, qsizetype(dst - buffer));
            if (rc != size_t(-1) || errno == E2BIG)
                continue;
            out.append(replacement);  // EILSEQ, or EINVAL for a sequence cut at the end
            size_t n = std::min(srcLeft, skip(reinterpret_cast<unsigned char*>(src), srcLeft));
            src += n;
            srcLeft -= n;
        }
        return out;
    }

private:
    static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

bool IsAscii(const QByteArray& bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Length of the UTF-8 sequence starting at `p` (at least 1).
size_t Utf8Length(const unsigned char* p, size_t left) {
    size_t n = *p >= 0xF0 ? 4 : *p >= 0xE0 ? 3 : *p >= 0xC0 ? 2 : 1;
    return std::min(n, left);
}

}  // namespace

QString Cp936ToUnicode(const QByteArray& bytes) {
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    thread_local Converter toUtf8("UTF-8", "CP936");
    if (!toUtf8.Valid()) {  // no GBK module installed: keep the ASCII, mark the rest
        QString text;
        for (char c : bytes) text += uchar(c) < 0x80 ? QChar(uchar(c)) : QChar(0xFFFD);
        return text;
    }
    // An invalid lead byte or trail byte: one byte is replaced and decoding resynchronises.
    QByteArray utf8 =
        toUtf8.Run(bytes, "\xEF\xBF\xBD", [](const unsigned char*, size_t) { return size_t(1); });
    return QString::fromUtf8(utf8);
}

QByteArray UnicodeToCp936(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    if (IsAscii(utf8))
        return utf8;
    thread_local Converter fromUtf8("CP936", "UTF-8");
    return fromUtf8.Run(utf8, "?", Utf8Length);
}

}  // namespace platform
