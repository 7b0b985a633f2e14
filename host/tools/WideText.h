#pragma once

#include "vela_tools_export.h"

#include <QString>

#include <string>

namespace vela {

// Wide strings from the service records, turned into Qt strings code point
// by code point. QString::fromStdWString drops a leading U+FEFF as a byte
// order mark, which would make "\uFEFFx" and "x" the same key or keyword.
class VELA_TOOLS_EXPORT WideText
{
public:
    // Every code point kept; one that is not a Unicode scalar value becomes U+FFFD.
    static QString ToQString(const std::wstring& text);
};

} // namespace vela
