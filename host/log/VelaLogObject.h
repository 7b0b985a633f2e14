#pragma once

#include "vela_log_export.h"

#include <QString>

#include <string>

namespace vela {

// One log line under construction: pieces are appended in order.
class VELA_LOG_EXPORT VelaLogObject
{
public:
    VelaLogObject() = default;
    VelaLogObject(const std::wstring& text);
    VelaLogObject(const QString& text);

    VelaLogObject& operator<<(const QString& piece);
    VelaLogObject& operator<<(const std::wstring& piece);

    QString Text() const;

private:
    QString m_text;
};

} // namespace vela
