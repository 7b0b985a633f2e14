#include "VelaLogObject.h"

namespace vela {

VelaLogObject::VelaLogObject(const std::wstring& text, const char* category)
    : m_text(QString::fromStdWString(text))
    , m_category(category ? category : "vela")
{
}

VelaLogObject::VelaLogObject(const QString& text, const char* category)
    : m_text(text)
    , m_category(category ? category : "vela")
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

const char* VelaLogObject::Category() const
{
    return m_category;
}

} // namespace vela
