#include "WideText.h"

namespace vela {

QString WideText::ToQString(const std::wstring& text)
{
    QString out;
    out.reserve(static_cast<int>(text.size()));
    for (const wchar_t character : text) {
        auto codePoint = static_cast<char32_t>(character);
        if (sizeof(wchar_t) == 2) {
            // UTF-16 platforms: the units are already what QString holds.
            out.append(QChar(static_cast<char16_t>(codePoint)));
            continue;
        }
        if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            codePoint = QChar::ReplacementCharacter;
        }
        if (QChar::requiresSurrogates(codePoint)) {
            out.append(QChar(QChar::highSurrogate(codePoint)));
            out.append(QChar(QChar::lowSurrogate(codePoint)));
        } else {
            out.append(QChar(static_cast<char16_t>(codePoint)));
        }
    }
    return out;
}

} // namespace vela
