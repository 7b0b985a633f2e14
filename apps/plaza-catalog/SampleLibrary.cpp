#include "SampleLibrary.h"

namespace vela {

SampleLibrary::SampleLibrary()
{
    m_categories.append({QStringLiteral("PLAZA"), QString(), QStringLiteral("公共构件库"), false, {}});
    Group(QStringLiteral("A"), QStringLiteral("PLAZA"), QStringLiteral("建筑"));
    AddArchitecture();
    Group(QStringLiteral("S"), QStringLiteral("PLAZA"), QStringLiteral("结构"));
    AddStructure();
    Group(QStringLiteral("M"), QStringLiteral("PLAZA"), QStringLiteral("机电"));
    AddPlumbingAndFire();
    AddHvacAndElectrical();
    Group(QStringLiteral("I"), QStringLiteral("PLAZA"), QStringLiteral("室内"));
    AddInterior();
}

const QVector<CatalogWriter::Category>& SampleLibrary::Categories() const
{
    return m_categories;
}

const QVector<CatalogWriter::Property>& SampleLibrary::Properties() const
{
    return m_properties;
}

const QVector<SampleLibrary::Leaf>& SampleLibrary::Leaves() const
{
    return m_leaves;
}

int SampleLibrary::ComponentCount() const
{
    int count = 0;
    for (const Leaf& leaf : m_leaves) {
        count += leaf.Count;
    }
    return count;
}

void SampleLibrary::Group(const QString& code, const QString& parent, const QString& name)
{
    m_categories.append({code, parent, name, false, {}});
}

void SampleLibrary::AddLeaf(const QString& code, const QString& parent, const QString& name, int count,
                            const PropertySet& properties, Recipe design)
{
    CatalogWriter::Category category{code, parent, name, true, {}};
    for (CatalogWriter::Property property : properties) {
        property.Code = code + QLatin1Char('.') + property.Code;
        category.PropertyCodes << property.Code;
        m_properties.append(property);
    }
    m_categories.append(category);
    m_leaves.append({code, name, count, std::move(design)});
}

ComponentDesign SampleLibrary::Design(const Leaf& leaf, Random& random, int index) const
{
    ComponentDesign design = leaf.Design(random, index);
    for (auto& value : design.Values) {
        value.first = leaf.Code + QLatin1Char('.') + value.first;
    }
    if (design.FamilyName.isEmpty()) {
        design.FamilyName = design.Name;
    }
    design.Model.FamilyName = design.FamilyName;
    design.Model.CategoryCode = leaf.Code;
    design.Model.Types.clear();
    for (const CatalogWriter::Specification& specification : design.Specifications) {
        tarn::ComponentFile::Type type;
        type.Name = specification.Name;
        for (const CatalogWriter::Parameter& parameter : specification.Parameters) {
            type.Parameters.append({parameter.Name, parameter.Value, parameter.Unit});
        }
        design.Model.Types.append(type);
    }
    return design;
}

} // namespace vela
