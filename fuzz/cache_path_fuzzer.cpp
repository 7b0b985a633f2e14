// Cache paths derived from download keys, and the wide-to-Qt text conversion
// they and the keyword search rely on.
//
// Input: one line "key <TAB> extension <TAB> other key" (see FuzzInput).
// Every derived path lies inside the cache folder, two distinct keys that are
// text never share a file, and WideText::ToQString keeps every code point.
#include "FuzzInput.h"
#include "PathUtils.h"
#include "WideText.h"

#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Finding(const char* what, const QString& detail)
{
    std::fprintf(stderr, "cache_path_fuzzer: %s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

QString Printable(const std::wstring& text)
{
    QString out;
    for (const wchar_t c : text) {
        out += QStringLiteral("\\x%1").arg(static_cast<uint32_t>(c), 0, 16);
    }
    return out;
}

// What ToQString must give, as code points: each wchar_t is one code point,
// and what is not a Unicode scalar value becomes U+FFFD.
std::u32string Expected(const std::wstring& text)
{
    std::u32string out;
    for (const wchar_t c : text) {
        const auto value = static_cast<uint32_t>(c);
        const bool scalar = value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
        out.push_back(scalar ? char32_t(value) : char32_t(0xFFFD));
    }
    return out;
}

bool IsText(const std::wstring& text)
{
    return Expected(text) == std::u32string(text.begin(), text.end());
}

// The code points a QString holds; false when it holds a lone surrogate,
// which is not text at all.
bool CodePoints(const QString& text, std::u32string& out)
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(c, text.at(i + 1)));
            ++i;
        } else if (c.isSurrogate()) {
            return false;
        } else {
            out.push_back(c.unicode());
        }
    }
    return true;
}

void CheckConversion(const std::wstring& text)
{
    std::u32string actual;
    if (!CodePoints(vela::WideText::ToQString(text), actual)) {
        Finding("ToQString made a lone surrogate from", Printable(text));
    }
    if (actual != Expected(text)) {
        Finding("ToQString lost or changed a code point of", Printable(text));
    }
}

// A path made by PathUtils, read back without any conversion that might
// hide what it holds.
QString PathText(const std::wstring& path)
{
    QString out;
    for (const wchar_t c : path) {
        const auto value = static_cast<uint32_t>(c);
        if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            Finding("path holds a value that is not a code point", Printable(path));
        }
        if (QChar::requiresSurrogates(value)) {
            out += QChar(QChar::highSurrogate(value));
            out += QChar(QChar::lowSurrogate(value));
        } else {
            out += QChar(static_cast<char16_t>(value));
        }
    }
    return out;
}

void CheckInside(const QString& cacheFolder, const std::wstring& derived, const std::wstring& key)
{
    const QString path = PathText(derived);
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            Finding("control character in cache path", path + QStringLiteral(" for key ") + Printable(key));
        }
    }
    if (!path.startsWith(cacheFolder + QLatin1Char('/')) || path.size() == cacheFolder.size() + 1
        || QDir::cleanPath(path) != path) {
        Finding("cache path outside the cache folder", path + QStringLiteral(" for key ") + Printable(key));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString cacheFolder = QDir::cleanPath(PathText(vela::PathUtils::GetCacheFolder()));

    FuzzInput input(data, size);
    std::vector<std::wstring> fields;
    if (!input.NextRecord(fields)) {
        return 0;
    }
    fields.resize(3);
    const std::wstring& key = fields[0];
    const std::wstring& extension = fields[1];
    const std::wstring& otherKey = fields[2];
    for (const std::wstring& text : fields) {
        CheckConversion(text);
    }

    const std::wstring thumbnail = vela::PathUtils::GetThumbnailDownloadFilePath(key, extension);
    const std::wstring component = vela::PathUtils::GetComponentDownloadFilePath(key, extension);
    CheckInside(cacheFolder, thumbnail, key);
    CheckInside(cacheFolder, component, key);
    // Keys are text; a unit that is no code point stands for U+FFFD, as
    // everywhere else, so only keys that are text must keep apart.
    if (otherKey != key && IsText(key) && IsText(otherKey)) {
        if (vela::PathUtils::GetThumbnailDownloadFilePath(otherKey, extension) == thumbnail
            || vela::PathUtils::GetComponentDownloadFilePath(otherKey, extension) == component) {
            Finding("two keys share one cache file", Printable(key) + QStringLiteral(" and ") + Printable(otherKey));
        }
    }
    return 0;
}
