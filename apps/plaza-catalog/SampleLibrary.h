#pragma once

#include "CatalogWriter.h"
#include "ComponentFile.h"
#include "ModelRenderer.h"
#include "Random.h"

#include <functional>

namespace vela {

// One component as the library designs it: what the catalog lists, its
// specifications (the types of its family) and its model.
struct ComponentDesign
{
    QString Name;
    QString FamilyName;
    QString ShopId;
    // Property key (without the leaf's prefix) and value.
    QVector<QPair<QString, QString>> Values;
    QVector<CatalogWriter::Specification> Specifications;
    tarn::ComponentFile Model;
    ModelRenderer::View View;
};

// The building-component library the sample catalog is made of: the category
// tree (library, discipline, class, leaf), the filterable properties of each
// leaf, and a recipe per leaf that designs its components.
class SampleLibrary
{
public:
    using Recipe = std::function<ComponentDesign(Random& random, int index)>;

    struct Leaf
    {
        QString Code;
        QString Name;
        int Count = 0;
        Recipe Design;
    };

    SampleLibrary();

    const QVector<CatalogWriter::Category>& Categories() const;
    // Codes are "<leaf code>.<key>".
    const QVector<CatalogWriter::Property>& Properties() const;
    const QVector<Leaf>& Leaves() const;
    int ComponentCount() const;

    // A component of the leaf with its values under full property codes and
    // its model's family and types filled in from the design.
    ComponentDesign Design(const Leaf& leaf, Random& random, int index) const;

private:
    using PropertySet = QVector<CatalogWriter::Property>;

    void Group(const QString& code, const QString& parent, const QString& name);
    void AddLeaf(const QString& code, const QString& parent, const QString& name, int count,
                 const PropertySet& properties, Recipe design);

    void AddArchitecture();
    void AddStructure();
    void AddPlumbingAndFire();
    void AddHvacAndElectrical();
    void AddInterior();

    QVector<CatalogWriter::Category> m_categories;
    QVector<CatalogWriter::Property> m_properties;
    QVector<Leaf> m_leaves;
};

} // namespace vela
