#pragma once

#include "ComponentFile.h"
#include "Family.h"
#include "FamilyInstance.h"
#include "IDocument.h"
#include "IFamilyLoadOptions.h"
#include "tarn_export.h"

#include <QObject>

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tarn {

// An in-memory design document: families with their types, and the instances
// placed from them. Every change is whole and announced once through Changed().
// Used on the user-interface thread only.
class TARN_EXPORT Document : public QObject, public IDocument
{
    Q_OBJECT

public:
    explicit Document(std::wstring name, QObject* parent = nullptr);
    ~Document() override;

    // The live document with that runtime id, or null.
    static Document* Find(RuntimeId id);

    RuntimeId GetRuntimeId() const override;
    std::wstring GetName() const override;

    // In load order; an overwritten family keeps its place.
    std::vector<const Family*> Families() const;
    const Family* FindFamily(const std::wstring& name) const;
    const Family* FindFamily(RuntimeId id) const;
    // The type of that identity, and its family through `family` when given.
    const FamilyType* FindType(const UniIdentity& identity, const Family** family = nullptr) const;
    const std::vector<FamilyInstance>& Instances() const;
    int InstanceCount(const UniIdentity& type) const;
    int InstanceCount(const Family& family) const;

    // What a family called `name` is renamed to when that name is taken:
    // "name(1)", "name(2)", ... the first one that is free.
    std::wstring ProposeFamilyName(const std::wstring& name) const;
    // Grows with every change, so a caller that waited on the user can tell
    // whether the document moved on meanwhile.
    quint64 Revision() const;

    // Adds the family of `file`. When its name is taken, `strategy` either
    // renames the new family or lets it replace the existing one; a
    // replacement asks `options` (may be null) which new type takes over each
    // existing type that has instances but no namesake in the file, and
    // deletes the instances of a type left without one. All or nothing: on
    // failure returns null with a message in `error` and changes nothing.
    const Family* LoadFamily(const std::shared_ptr<const ComponentFile>& file, FamilyFoundStrategy strategy,
                             IFamilyLoadOptions* options, std::wstring* error);
    // Adds the family of `file` under `name`, the name a rename question
    // showed the user. Fails, changing nothing, when `name` is taken by now.
    const Family* LoadFamilyAs(const std::shared_ptr<const ComponentFile>& file, const std::wstring& name,
                               std::wstring* error);

    // Places one instance of a type of this document; invalid when the type is unknown.
    RuntimeId PlaceInstance(const UniIdentity& type, const ComponentFile::Point3& position);
    bool RemoveInstance(RuntimeId id);
    // A free spot for a new instance of `family`: to the right of everything placed.
    ComponentFile::Point3 SuggestPlacement(const Family& family) const;

signals:
    void Changed();

private:
    struct TypeEntry
    {
        Family* Owner = nullptr;
        const FamilyType* Type = nullptr;
    };

    const Family* Insert(std::unique_ptr<Family> family);
    void IndexFamily(Family* family);
    void UnindexFamily(const Family* family);
    void Touch();

    RuntimeId m_runtimeId;
    std::wstring m_name;
    std::vector<std::unique_ptr<Family>> m_families;
    std::unordered_map<std::wstring, Family*> m_familiesByName;
    std::map<UniIdentity, TypeEntry> m_typesByIdentity;
    std::vector<FamilyInstance> m_instances;
    quint64 m_revision = 0;
};

} // namespace tarn
