#include "UniIdentity.h"

#include <QUuid>

#include <utility>

namespace tarn {

UniIdentity::UniIdentity(std::wstring value)
    : m_value(std::move(value))
{
}

UniIdentity UniIdentity::Create()
{
    return UniIdentity(QUuid::createUuid().toString(QUuid::WithoutBraces).toStdWString());
}

bool UniIdentity::IsValid() const
{
    return !m_value.empty();
}

const std::wstring& UniIdentity::ToString() const
{
    return m_value;
}

} // namespace tarn
