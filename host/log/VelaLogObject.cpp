#include "VelaLogObject.h"

namespace vela {

VelaLogObject::VelaLogObject(const std::wstring& text)
    : m_text(QString::fromStdWString(text))
{
}

VelaLogObject::VelaLogObject(const QString& text)
    : m_text(text)
{
}

VelaLogObject& VelaLogObject::operator<<(const QString& piece)
{
    m_text += piece;
    return *this;
}

VelaLogObject& VelaLogObject::operator<<(const std::wstring& piece)
{
    m_text += QString::fromStdWString(piece);
    return *this;
}

QString VelaLogObject::Text() const
{
    return m_text;
}

} // namespace vela
