#include "Document.h"

#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QSet>

#include <algorithm>
#include <utility>

namespace tarn {

namespace {

// Room left between instances placed side by side, in millimetres.
constexpr double PlacementGap = 500;
// The footprint assumed for a family without geometry.
constexpr double DefaultWidth = 1000;

QMutex s_registryMutex;
std::map<int64_t, Document*> s_registry;

bool Fail(std::wstring* error, const QString& message)
{
    if (error) {
        *error = message.toStdWString();
    }
    return false;
}

bool Fail(std::wstring* error, const wchar_t* message)
{
    if (error) {
        *error = message;
    }
    return false;
}

bool CheckFile(const std::shared_ptr<const ComponentFile>& file, std::wstring* error)
{
    if (!file) {
        return Fail(error, Document::tr("没有构件文件"));
    }
    if (file->FamilyName.trimmed().isEmpty()) {
        return Fail(error, Document::tr("构件文件没有族名称"));
    }
    if (file->Types.isEmpty()) {
        return Fail(error, Document::tr("构件文件没有任何类型"));
    }
    QSet<QString> names;
    for (const ComponentFile::Type& type : file->Types) {
        if (type.Name.trimmed().isEmpty() || names.contains(type.Name)) {
            return Fail(error, Document::tr("构件文件的类型名称为空或重复"));
        }
        names.insert(type.Name);
    }
    return true;
}

// The x extent of a family's geometry, or a default box when it has none.
std::pair<double, double> ExtentX(const Family& family)
{
    ComponentFile::Point3 minimum{0, 0, 0};
    ComponentFile::Point3 maximum{0, 0, 0};
    if (family.Source() && family.Source()->Bounds(minimum, maximum)) {
        return {minimum[0], maximum[0]};
    }
    return {0, DefaultWidth};
}

} // namespace

Document::Document(std::wstring name, QObject* parent)
    : QObject(parent)
    , m_runtimeId(RuntimeId::Next())
    , m_name(std::move(name))
{
    QMutexLocker lock(&s_registryMutex);
    s_registry[m_runtimeId.Value()] = this;
}

Document::~Document()
{
    QMutexLocker lock(&s_registryMutex);
    s_registry.erase(m_runtimeId.Value());
}

Document* Document::Find(RuntimeId id)
{
    QMutexLocker lock(&s_registryMutex);
    const auto found = s_registry.find(id.Value());
    return found == s_registry.end() ? nullptr : found->second;
}

RuntimeId Document::GetRuntimeId() const
{
    return m_runtimeId;
}

std::wstring Document::GetName() const
{
    return m_name;
}

std::vector<const Family*> Document::Families() const
{
    std::vector<const Family*> families;
    families.reserve(m_families.size());
    for (const std::unique_ptr<Family>& family : m_families) {
        families.push_back(family.get());
    }
    return families;
}

const Family* Document::FindFamily(const std::wstring& name) const
{
    const auto found = m_familiesByName.find(name);
    return found == m_familiesByName.end() ? nullptr : found->second;
}

const Family* Document::FindFamily(RuntimeId id) const
{
    for (const std::unique_ptr<Family>& family : m_families) {
        if (family->GetRuntimeId() == id) {
            return family.get();
        }
    }
    return nullptr;
}

const FamilyType* Document::FindType(const UniIdentity& identity, const Family** family) const
{
    const auto found = m_typesByIdentity.find(identity);
    if (found == m_typesByIdentity.end()) {
        return nullptr;
    }
    if (family) {
        *family = found->second.Owner;
    }
    return found->second.Type;
}

const std::vector<FamilyInstance>& Document::Instances() const
{
    return m_instances;
}

int Document::InstanceCount(const UniIdentity& type) const
{
    return static_cast<int>(std::count_if(m_instances.begin(), m_instances.end(),
                                          [&type](const FamilyInstance& instance) { return instance.Type == type; }));
}

int Document::InstanceCount(const Family& family) const
{
    int count = 0;
    for (const FamilyInstance& instance : m_instances) {
        const auto found = m_typesByIdentity.find(instance.Type);
        if (found != m_typesByIdentity.end() && found->second.Owner == &family) {
            ++count;
        }
    }
    return count;
}

std::wstring Document::ProposeFamilyName(const std::wstring& name) const
{
    for (int suffix = 1;; ++suffix) {
        std::wstring candidate = name + L"(" + std::to_wstring(suffix) + L")";
        if (!FindFamily(candidate)) {
            return candidate;
        }
    }
}

quint64 Document::Revision() const
{
    return m_revision;
}

const Family* Document::LoadFamily(const std::shared_ptr<const ComponentFile>& file, FamilyFoundStrategy strategy,
                                   IFamilyLoadOptions* options, std::wstring* error)
{
    if (!CheckFile(file, error)) {
        return nullptr;
    }
    const std::wstring name = file->FamilyName.toStdWString();
    const Family* existing = FindFamily(name);
    if (!existing) {
        return Insert(std::make_unique<Family>(name, file));
    }
    if (strategy != OverwriteExisting) {
        return Insert(std::make_unique<Family>(ProposeFamilyName(name), file));
    }

    auto incoming = std::make_unique<Family>(name, file);
    const RuntimeId existingId = existing->GetRuntimeId();
    struct OldType
    {
        std::wstring Name;
        UniIdentity Identity;
    };
    std::vector<OldType> oldTypes;
    for (const std::unique_ptr<FamilyType>& type : existing->Types()) {
        oldTypes.push_back({type->GetName(), type->GetUniIdentity()});
    }

    // Decide where every instance goes before touching anything: the options
    // may run a dialog, during which the document can change or even close.
    std::map<UniIdentity, UniIdentity> moves;
    const quint64 revision = m_revision;
    const QPointer<Document> alive(this);
    for (const OldType& type : oldTypes) {
        if (const FamilyType* namesake = incoming->FindType(type.Name)) {
            moves[type.Identity] = namesake->GetUniIdentity();
            continue;
        }
        const int count = InstanceCount(type.Identity);
        if (count == 0 || !options) {
            continue;
        }
        UniIdentity chosen;
        const bool nothingChosen = options->TryChooseReplacementType(type.Name, count, incoming->TypeCandidates(), chosen);
        if (!alive) {
            Fail(error, L"目标文档已关闭");
            return nullptr;
        }
        if (m_revision != revision) {
            Fail(error, tr("文档在载入期间已被修改，请重试"));
            return nullptr;
        }
        if (!nothingChosen && incoming->FindType(chosen)) {
            moves[type.Identity] = chosen;
        }
    }

    const auto slot = std::find_if(m_families.begin(), m_families.end(), [existingId](const std::unique_ptr<Family>& f) {
        return f->GetRuntimeId() == existingId;
    });
    if (slot == m_families.end()) {
        Fail(error, tr("文档在载入期间已被修改，请重试"));
        return nullptr;
    }
    UnindexFamily(slot->get());
    // Instances whose type is no longer indexed belonged to the replaced family.
    std::vector<FamilyInstance> kept;
    kept.reserve(m_instances.size());
    for (FamilyInstance& instance : m_instances) {
        if (!m_typesByIdentity.count(instance.Type)) {
            const auto move = moves.find(instance.Type);
            if (move == moves.end()) {
                continue;
            }
            instance.Type = move->second;
        }
        kept.push_back(std::move(instance));
    }
    m_instances = std::move(kept);
    *slot = std::move(incoming);
    IndexFamily(slot->get());
    Touch();
    return slot->get();
}

const Family* Document::LoadFamilyAs(const std::shared_ptr<const ComponentFile>& file, const std::wstring& name,
                                     std::wstring* error)
{
    if (!CheckFile(file, error)) {
        return nullptr;
    }
    if (name.empty() || FindFamily(name)) {
        Fail(error, tr("族名称已被占用"));
        return nullptr;
    }
    return Insert(std::make_unique<Family>(name, file));
}

RuntimeId Document::PlaceInstance(const UniIdentity& type, const ComponentFile::Point3& position)
{
    if (!m_typesByIdentity.count(type)) {
        return RuntimeId::InvalidID;
    }
    const RuntimeId id = RuntimeId::Next();
    m_instances.push_back({id, type, position});
    Touch();
    return id;
}

bool Document::RemoveInstance(RuntimeId id)
{
    const auto found = std::find_if(m_instances.begin(), m_instances.end(),
                                    [id](const FamilyInstance& instance) { return instance.Id == id; });
    if (found == m_instances.end()) {
        return false;
    }
    m_instances.erase(found);
    Touch();
    return true;
}

ComponentFile::Point3 Document::SuggestPlacement(const Family& family) const
{
    bool any = false;
    double rightEdge = 0;
    for (const FamilyInstance& instance : m_instances) {
        const Family* owner = nullptr;
        if (!FindType(instance.Type, &owner) || !owner) {
            continue;
        }
        const double edge = instance.Position[0] + ExtentX(*owner).second;
        rightEdge = any ? std::max(rightEdge, edge) : edge;
        any = true;
    }
    if (!any) {
        return {0, 0, 0};
    }
    return {rightEdge + PlacementGap - ExtentX(family).first, 0, 0};
}

const Family* Document::Insert(std::unique_ptr<Family> family)
{
    m_families.push_back(std::move(family));
    Family* added = m_families.back().get();
    IndexFamily(added);
    Touch();
    return added;
}

void Document::IndexFamily(Family* family)
{
    m_familiesByName[family->GetName()] = family;
    for (const std::unique_ptr<FamilyType>& type : family->Types()) {
        m_typesByIdentity[type->GetUniIdentity()] = {family, type.get()};
    }
}

void Document::UnindexFamily(const Family* family)
{
    m_familiesByName.erase(family->GetName());
    for (const std::unique_ptr<FamilyType>& type : family->Types()) {
        m_typesByIdentity.erase(type->GetUniIdentity());
    }
}

void Document::Touch()
{
    ++m_revision;
    emit Changed();
}

} // namespace tarn
