#pragma once

#include "vela_log_export.h"

#include <QString>

#include <string>

// The logging category of the library a line is written in ("vela.service"). Each
// library's build defines it; as a default argument it takes the value of the file
// that writes the line, so callers name nothing and QT_LOGGING_RULES still tells
// the libraries apart.
#ifndef VELA_LOG_CATEGORY
#define VELA_LOG_CATEGORY "vela"
#endif

namespace vela {

// One log line under construction: pieces are appended in order.
class VELA_LOG_EXPORT VelaLogObject
{
public:
    VelaLogObject() = default;
    // `category` must live as long as the program (a string literal).
    VelaLogObject(const std::wstring& text, const char* category = VELA_LOG_CATEGORY);
    VelaLogObject(const QString& text, const char* category = VELA_LOG_CATEGORY);

    VelaLogObject& operator<<(const QString& piece);
    VelaLogObject& operator<<(const std::wstring& piece);

    QString Text() const;
    const char* Category() const;

private:
    QString m_text;
    const char* m_category = VELA_LOG_CATEGORY;
};

} // namespace vela
