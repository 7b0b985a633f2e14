#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Splits a fuzz input into records (lines) of fields (tab-separated) of wide
// text. Text is UTF-8; a 0xFF byte, which UTF-8 never uses, takes the next four
// bytes (big-endian) as one raw wchar_t, so any wide string can be written,
// including tabs, newlines, NUL, lone surrogates and values above U+10FFFF.
class FuzzInput
{
public:
    FuzzInput(const uint8_t* data, size_t size);

    // The fields of the next record; false once the input is used up.
    bool NextRecord(std::vector<std::wstring>& fields);

private:
    const uint8_t* m_next;
    const uint8_t* m_end;
};
