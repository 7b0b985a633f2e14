#include "FuzzInput.h"

namespace {

constexpr uint8_t RawMarker = 0xFF;
constexpr size_t RawBytes = 4;

// Decoded by hand: Qt's decoders drop a leading byte order mark, and a
// U+FEFF at the start of a key or keyword is exactly what must get through.
// Each byte of a malformed sequence becomes U+FFFD.
void AppendUtf8(std::wstring& out, const uint8_t* begin, const uint8_t* end)
{
    while (begin != end) {
        const uint8_t lead = *begin++;
        int extra = 0;
        uint32_t value = lead;
        uint32_t minimum = 0;
        if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            value = lead & 0x07u;
            minimum = 0x10000;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            value = lead & 0x0Fu;
            minimum = 0x800;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            value = lead & 0x1Fu;
            minimum = 0x80;
        } else if (lead >= 0x80) {
            out.push_back(L'\uFFFD');
            continue;
        }
        const uint8_t* next = begin;
        int i = 0;
        for (; i < extra && next != end && (*next & 0xC0u) == 0x80u; ++i, ++next) {
            value = (value << 6) | (*next & 0x3Fu);
        }
        if (i < extra || value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            out.push_back(L'\uFFFD');
            continue;
        }
        begin = next;
        out.push_back(static_cast<wchar_t>(value));
    }
}

} // namespace

FuzzInput::FuzzInput(const uint8_t* data, size_t size)
    : m_next(data)
    , m_end(data + size)
{
}

bool FuzzInput::NextRecord(std::vector<std::wstring>& fields)
{
    fields.clear();
    if (m_next == m_end) {
        return false;
    }
    std::wstring field;
    const uint8_t* run = m_next;
    while (m_next != m_end) {
        const uint8_t byte = *m_next;
        if (byte == RawMarker) {
            AppendUtf8(field, run, m_next);
            ++m_next;
            uint32_t value = 0;
            for (size_t i = 0; i < RawBytes && m_next != m_end; ++i, ++m_next) {
                value = (value << 8) | *m_next;
            }
            field.push_back(static_cast<wchar_t>(value));
            run = m_next;
            continue;
        }
        if (byte == '\t' || byte == '\n') {
            AppendUtf8(field, run, m_next);
            fields.push_back(field);
            field.clear();
            ++m_next;
            run = m_next;
            if (byte == '\n') {
                return true;
            }
            continue;
        }
        ++m_next;
    }
    AppendUtf8(field, run, m_next);
    fields.push_back(field);
    return true;
}
