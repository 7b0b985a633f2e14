#pragma once

#include "ComponentFile.h"
#include "IFamilyType.h"
#include "tarn_export.h"

namespace tarn {

// One type of a family in a document: its name, identity and parameter values.
class TARN_EXPORT FamilyType : public IFamilyType
{
public:
    FamilyType(std::wstring name, UniIdentity identity, QVector<ComponentFile::Parameter> parameters);

    std::wstring GetName() const override;
    UniIdentity GetUniIdentity() const override;
    const QVector<ComponentFile::Parameter>& Parameters() const;

private:
    std::wstring m_name;
    UniIdentity m_identity;
    QVector<ComponentFile::Parameter> m_parameters;
};

} // namespace tarn
