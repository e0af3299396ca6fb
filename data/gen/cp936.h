#pragma once
// UTF-8 <-> code page 936 (GBK) for the dictionary file's Chinese fields, through iconv.
#include <string>

namespace veltodata {

// Throws std::runtime_error when the text has a character without a GBK form.
std::string Utf8ToCp936(const std::string& utf8);
// Throws std::runtime_error on bytes that are not GBK.
std::string Cp936ToUtf8(const std::string& gbk);

}  // namespace veltodata
