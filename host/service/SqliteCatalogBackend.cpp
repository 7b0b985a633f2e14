#include "SqliteCatalogBackend.h"

#include "CatalogSchema.h"
#include "CatalogSnapshot.h"
#include "CatalogUrlResolver.h"
#include "ComponentRowReader.h"
#include "MatchSetCache.h"
#include "MatchSetEngine.h"
#include "ProjectStore.h"
#include "QueryText.h"
#include "ReplyQueue.h"
#include "RequestToken.h"
#include "WideText.h"

#include <QCoreApplication>
#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace vela {

namespace {

// Texts a person may read, in the interface language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(vela::SqliteCatalogBackend)
};

QAtomicInt s_instances;

constexpr int MaximumPageSize = 1000;

std::wstring Text(const QString& text)
{
    return text.toStdWString();
}

QString Q(const std::wstring& text)
{
    return WideText::ToQString(text);
}

std::wstring SqlError(const QSqlQuery& query)
{
    return Text(Texts::tr("查询构件库失败：%1").arg(query.lastError().text()));
}

// Runs a prepared query with its values bound in order.
bool Run(QSqlQuery& query, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) {
        query.bindValue(i, values[i]);
    }
    return query.exec();
}

bool Prepare(QSqlQuery& query, const QString& sql)
{
    query.setForwardOnly(true);
    return query.prepare(sql);
}

} // namespace

// ---------------------------------------------------------------------------

SqliteCatalogBackend::SqliteCatalogBackend(const QString& catalog, const QString& projectStore)
    : SqliteCatalogBackend(catalog, std::make_shared<ProjectStore>(projectStore))
{
}

SqliteCatalogBackend::SqliteCatalogBackend(const QString& catalog, std::shared_ptr<ProjectStore> projects)
    : m_projects(std::move(projects))
    , m_instance(s_instances.fetchAndAddRelaxed(1))
    , m_matches(std::make_unique<MatchSetCache>(MatchCacheEntries, MatchCacheBytes))
{
    if (catalog.endsWith(QLatin1String(".sqlite"), Qt::CaseInsensitive)) {
        m_catalogFile = QDir::cleanPath(QDir::current().absoluteFilePath(catalog));
        m_folder = QFileInfo(m_catalogFile).path();
    } else {
        m_folder = QDir::cleanPath(QDir::current().absoluteFilePath(catalog));
        m_catalogFile = m_folder + QLatin1Char('/') + CatalogSchema::FileName();
    }
    m_urls = std::make_unique<const CatalogUrlResolver>(m_folder);
    m_catalogPool.setMaxThreadCount(std::max(2, std::min(4, QThread::idealThreadCount())));
    // Threads keep their connections and page caches, so they are kept too.
    m_catalogPool.setExpiryTimeout(-1);
    // A shared store serves several clients at once; writers queue in the database.
    m_projectPool.setMaxThreadCount(m_projects->InMemory() ? 1 : 4);
    m_projectPool.setExpiryTimeout(-1);

    // Read the project names at once so ProjectName can answer without waiting.
    m_projectPool.start([this] { OpenProjects(); });
}

SqliteCatalogBackend::~SqliteCatalogBackend()
{
    m_closing = true;
    m_catalogPool.waitForDone();
    m_projectPool.waitForDone();
}

QString SqliteCatalogBackend::CatalogFolder() const
{
    return m_folder;
}

SqliteCatalogBackend::CacheUse SqliteCatalogBackend::MatchCacheUse() const
{
    return {m_matches->Entries(), m_matches->Bytes()};
}

template <class T, class Work>
void SqliteCatalogBackend::Answer(Done<T> done, Work work)
{
    // Taken now, during the service's call; checked when a worker gets to the request.
    std::shared_ptr<RequestToken> token = RequestToken::Current();
    m_catalogPool.start([this, token = std::move(token), done = std::move(done), work = std::move(work)]() mutable {
        if (m_closing) {
            done(Texts::tr("构件库已关闭").toStdWString(), T{});
            return;
        }
        if (token && !token->Start()) {
            done(ReplyQueue::SupersededErrorText(), T{});
            return;
        }
        T result{};
        std::wstring error;
        try {
            QString openError;
            QSqlDatabase db = Connection(&openError);
            if (!db.isValid() || !db.isOpen()) {
                error = Text(openError);
            } else {
                error = work(db, result);
            }
        } catch (const std::exception& e) {
            error = Text(Texts::tr("查询构件库失败：%1").arg(QString::fromLocal8Bit(e.what())));
        }
        if (!error.empty()) {
            result = T{};
        }
        done(std::move(error), std::move(result));
    });
}

QSqlDatabase SqliteCatalogBackend::Connection(QString* error)
{
    QThread* thread = QThread::currentThread();
    const QString name = QStringLiteral("plaza-catalog-%1-%2")
                             .arg(m_instance)
                             .arg(quintptr(thread), 0, 16);
    QSqlDatabase db;
    if (QSqlDatabase::contains(name)) {
        db = QSqlDatabase::database(name, false);
        if (db.isOpen()) {
            return db;
        }
        // It failed before; the file may be there by now.
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        // Connections are bound to their thread; drop this one when the thread ends.
        QObject::connect(
            thread, &QThread::finished, thread, [name] { QSqlDatabase::removeDatabase(name); }, Qt::DirectConnection);
    }
    if (!OpenCatalog(db, error)) {
        db.close();
    }
    return db;
}

bool SqliteCatalogBackend::OpenCatalog(QSqlDatabase& db, QString* error)
{
    if (!QFileInfo(m_catalogFile).isFile()) {
        *error = Texts::tr("构件库不存在：%1").arg(m_catalogFile);
        return false;
    }
    db.setDatabaseName(m_catalogFile);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        *error = Texts::tr("无法打开构件库：%1（%2）").arg(m_catalogFile, db.lastError().text());
        return false;
    }
    QSqlQuery query(db);
    for (const char* pragma : {"PRAGMA mmap_size=2147483648", "PRAGMA cache_size=-65536", "PRAGMA temp_store=MEMORY",
                               "PRAGMA query_only=1"}) {
        query.exec(QLatin1String(pragma));
    }
    if (!query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'format'")) || !query.next()
        || query.value(0).toString() != CatalogSchema::FormatName()) {
        *error = Texts::tr("构件库格式不正确：%1").arg(m_catalogFile);
        return false;
    }
    return true;
}

void SqliteCatalogBackend::OpenProjects()
{
    // Requests wait for the first opening, so that they never see a store before its seeding.
    QMutexLocker opening(&m_projectsOpenMutex);
    if (m_projectsOpened || !m_projects->Open().empty()) {
        return;
    }
    m_projectsOpened = true;
    // A fresh store starts with the first components of this catalog in its first project.
    m_projects->SeedIfEmpty([this] {
        std::vector<PublicComponentRecord> components;
        QString error;
        QSqlDatabase catalog = Connection(&error);
        QSqlQuery query(catalog);
        if (catalog.isOpen()
            && Prepare(query, QStringLiteral("SELECT id, name, category_code FROM components "
                                             "WHERE id <> '' ORDER BY seq LIMIT 3"))
            && query.exec()) {
            while (query.next()) {
                components.push_back({Text(query.value(0).toString()), Text(query.value(1).toString()),
                                      Text(query.value(2).toString())});
            }
        }
        return components;
    });
    ProjectList projects;
    if (m_projects->Projects(projects).empty()) {
        KeepProjectNames(projects);
    }
}

void SqliteCatalogBackend::KeepProjectNames(const ProjectList& projects)
{
    std::map<std::wstring, std::wstring> names;
    for (const ProjectSummary& project : projects) {
        names[project.Id] = project.Name;
    }
    QMutexLocker lock(&m_namesMutex);
    m_projectNames.swap(names);
}

template <class T, class Work>
void SqliteCatalogBackend::AnswerProject(Done<T> done, Work work)
{
    m_projectPool.start([this, done = std::move(done), work = std::move(work)]() mutable {
        if (m_closing) {
            done(Texts::tr("构件库已关闭").toStdWString(), T{});
            return;
        }
        OpenProjects();
        T result{};
        std::wstring error;
        try {
            error = work(result);
        } catch (const std::exception& e) {
            error = Text(Texts::tr("协同项目库出错：%1").arg(QString::fromLocal8Bit(e.what())));
        }
        if (!error.empty()) {
            result = T{};
        }
        done(std::move(error), std::move(result));
    });
}

std::shared_ptr<const CatalogSnapshot> SqliteCatalogBackend::Snapshot(QSqlDatabase& db, std::wstring& error)
{
    QMutexLocker lock(&m_snapshotMutex);
    if (!m_snapshot) {
        m_snapshot = CatalogSnapshot::Read(db, error);
    }
    return m_snapshot;
}

std::wstring SqliteCatalogBackend::ResolveUrl(const QString& stored) const
{
    return m_urls->Resolve(stored);
}

// ---------------------------------------------------------------------------
// Requests

void SqliteCatalogBackend::GetCategories(const CategoryQuery& query, Done<CategoryList> done)
{
    Answer<CategoryList>(std::move(done), [this, query](QSqlDatabase& db, CategoryList& out) {
        return QueryCategories(db, query, out);
    });
}

void SqliteCatalogBackend::GetComponents(const ComponentQuery& query, Done<ComponentPage> done)
{
    Answer<ComponentPage>(std::move(done), [this, query](QSqlDatabase& db, ComponentPage& out) {
        return QueryComponents(db, query, out);
    });
}

void SqliteCatalogBackend::GetDetailedComponent(const std::wstring& componentId,
                                                Done<std::shared_ptr<IDetailedPublicComponent>> done)
{
    Answer<std::shared_ptr<IDetailedPublicComponent>>(std::move(done),
        [this, componentId](QSqlDatabase& db, std::shared_ptr<IDetailedPublicComponent>& out) {
            return QueryDetail(db, componentId, out);
        });
}

void SqliteCatalogBackend::GetLegend(const std::wstring& componentId, Done<LegendList> done)
{
    Answer<LegendList>(std::move(done), [this, componentId](QSqlDatabase& db, LegendList& out) {
        return QueryLegends(db, componentId, out);
    });
}

void SqliteCatalogBackend::GetSpecification(const std::wstring& componentId, const std::wstring& specificationId,
                                            Done<std::shared_ptr<ISpecification>> done)
{
    Answer<std::shared_ptr<ISpecification>>(std::move(done),
        [this, componentId, specificationId](QSqlDatabase& db, std::shared_ptr<ISpecification>& out) {
            return QuerySpecification(db, componentId, specificationId, out);
        });
}

void SqliteCatalogBackend::GetCategoryProperty(const std::wstring& categoryCode,
                                               Done<std::shared_ptr<ICategoryProperty>> done)
{
    Answer<std::shared_ptr<ICategoryProperty>>(std::move(done), [this, categoryCode](QSqlDatabase& db, std::shared_ptr<ICategoryProperty>& out) {
            return QueryCategoryProperty(db, categoryCode, out);
        });
}

void SqliteCatalogBackend::GetComponentFileUrl(const std::wstring& componentId, Done<std::wstring> done)
{
    Answer<std::wstring>(std::move(done), [this, componentId](QSqlDatabase& db, std::wstring& out) {
        return QueryFileUrl(db, componentId, out);
    });
}

void SqliteCatalogBackend::CheckPublicComponentRespeats(const std::wstring& projectId,
                                                        const std::vector<std::wstring>& ids,
                                                        Done<RepeatCheckList> done)
{
    AnswerProject<RepeatCheckList>(std::move(done), [this, projectId, ids](RepeatCheckList& out) {
        return m_projects->CheckRepeats(projectId, ids, out);
    });
}

void SqliteCatalogBackend::AddComponentFromPublic(const std::wstring& projectId, const std::vector<std::wstring>& ids,
                                                  Done<ProjectComponentList> done)
{
    AddComponentFromPublicOnce(projectId, ids, {}, std::move(done));
}

void SqliteCatalogBackend::AddComponentFromPublicOnce(const std::wstring& projectId,
                                                      const std::vector<std::wstring>& ids,
                                                      const std::wstring& requestKey, Done<ProjectComponentList> done)
{
    AnswerProject<ProjectComponentList>(std::move(done), [this, projectId, ids, requestKey](ProjectComponentList& out) {
        std::vector<PublicComponentRecord> components;
        std::wstring error = ResolvePublic(ids, components);
        if (error.empty()) {
            error = m_projects->AddFromPublic(projectId, components, out, requestKey);
        }
        return error;
    });
}

void SqliteCatalogBackend::GetProjectComponents(const std::wstring& projectId, Done<ProjectComponentList> done)
{
    AnswerProject<ProjectComponentList>(std::move(done), [this, projectId](ProjectComponentList& out) {
        return m_projects->Components(projectId, out);
    });
}

void SqliteCatalogBackend::GetProjects(Done<ProjectList> done)
{
    AnswerProject<ProjectList>(std::move(done), [this](ProjectList& out) {
        const std::wstring error = m_projects->Projects(out);
        if (error.empty()) {
            KeepProjectNames(out);
        }
        return error;
    });
}

std::wstring SqliteCatalogBackend::ProjectName(const std::wstring& projectId)
{
    QMutexLocker lock(&m_namesMutex);
    const auto found = m_projectNames.find(projectId);
    return found == m_projectNames.end() ? std::wstring() : found->second;
}

// ---------------------------------------------------------------------------
// Queries, on worker threads

std::wstring SqliteCatalogBackend::Matches(QSqlDatabase& db, const CatalogSnapshot& snapshot,
                                           const MatchQuery& query, qint64 first, qint64 last,
                                           std::shared_ptr<const MatchSet>& out)
{
    const QString key = query.Key();
    const QString everywhere = QStringLiteral("%1 %2 ").arg(snapshot.FirstSeq).arg(snapshot.LastSeq) + key;
    // The tree asks for the whole catalog first; a category's page then reads its part.
    if (first != snapshot.FirstSeq || last != snapshot.LastSeq) {
        out = m_matches->Find(everywhere);
        if (out && out->Covers(first, last)) {
            return {};
        }
    }
    return m_matches->Get(QStringLiteral("%1 %2 ").arg(first).arg(last) + key,
                         [&](std::shared_ptr<const MatchSet>& set) {
                             return MatchSetEngine::Compute(db, snapshot, query, first, last, set);
                         },
                         out);
}

std::wstring SqliteCatalogBackend::QueryCategories(QSqlDatabase& db, const CategoryQuery& request, CategoryList& out)
{
    std::wstring error;
    const std::shared_ptr<const CatalogSnapshot> snapshot = Snapshot(db, error);
    if (!snapshot) {
        return error;
    }
    MatchQuery query;
    error = MatchQuery::Make(request.Keyword, request.Filters, *snapshot, query);
    if (!error.empty()) {
        return error;
    }

    // The whole tree is always returned and matches are only marked: pruning
    // would move the category the user stands on out from under them.
    const QVector<CatalogSnapshot::Category>& categories = snapshot->Categories;
    QVector<bool> matches(categories.size(), false);
    if (query.Unfiltered()) {
        for (int i = 0; i < categories.size(); ++i) {
            matches[i] = categories[i].Count > 0;
        }
    } else if (!query.MatchesNothing) {
        std::shared_ptr<const MatchSet> set;
        error = Matches(db, *snapshot, query, snapshot->FirstSeq, snapshot->LastSeq, set);
        if (!error.empty()) {
            return error;
        }
        // Own components only: ancestors learn from their children below.
        for (int i = 0; i < categories.size(); ++i) {
            if (categories[i].OwnLast >= categories[i].First && categories[i].First > 0) {
                matches[i] = set->AnyIn(categories[i].First, categories[i].OwnLast);
            }
        }
        for (int i = categories.size() - 1; i >= 0; --i) {
            if (matches[i] && categories[i].Parent >= 0) {
                matches[categories[i].Parent] = true;
            }
        }
    }

    out.reserve(size_t(categories.size()));
    for (int i = 0; i < categories.size(); ++i) {
        auto category = std::make_shared<ICategory>();
        category->Code = Text(categories[i].Code);
        category->Name = Text(categories[i].Name);
        category->ParentCode = categories[i].Parent >= 0 ? Text(categories[i].ParentCode) : std::wstring();
        category->Leaf = categories[i].Leaf;
        category->HasMatches = matches[i];
        out.push_back(category);
    }
    return {};
}

std::wstring SqliteCatalogBackend::QueryComponents(QSqlDatabase& db, const ComponentQuery& request, ComponentPage& out)
{
    std::wstring error;
    const std::shared_ptr<const CatalogSnapshot> snapshot = Snapshot(db, error);
    if (!snapshot) {
        return error;
    }
    qint64 first = snapshot->FirstSeq;
    qint64 last = snapshot->LastSeq;
    qint64 count = snapshot->ComponentCount;
    if (!request.CategoryCode.empty()) {
        const auto index = snapshot->IndexByCode.constFind(Q(request.CategoryCode));
        if (index == snapshot->IndexByCode.cend()) {
            return Texts::tr("分类不存在").toStdWString();
        }
        const CatalogSnapshot::Category& category = snapshot->Categories[*index];
        first = category.First;
        last = category.Last;
        count = category.Count;
    }
    MatchQuery query;
    error = MatchQuery::Make(request.Keyword, request.Filters, *snapshot, query);
    if (!error.empty()) {
        return error;
    }

    auto page = std::make_shared<IPagedData<ComponentList>>();
    out = page;
    if (query.MatchesNothing || last < first) {
        return {};
    }
    std::shared_ptr<const MatchSet> set;
    std::pair<size_t, size_t> span;
    if (query.Unfiltered()) {
        page->Total = count;
    } else {
        error = Matches(db, *snapshot, query, first, last, set);
        if (!error.empty()) {
            return error;
        }
        span = set->Span(first, last);
        page->Total = qint64(span.second - span.first);
    }

    const qint64 pageIndex = std::max<qint64>(1, request.PageIndex);
    const qint64 pageSize = std::min<qint64>(MaximumPageSize, request.PageSize);
    const qint64 offset = (pageIndex - 1) * std::max<qint64>(0, pageSize);
    if (pageSize <= 0 || offset >= page->Total) {
        return {};
    }
    if (set) {
        // Seek in the match set: the rows before the page are never read.
        const int32_t* seqs = set->Seqs().data();
        const size_t begin = span.first + size_t(offset);
        const size_t end = std::min(span.second, begin + size_t(pageSize));
        return ComponentRowReader::ReadSeqs(db, *m_urls, seqs + begin, seqs + end, page->Data);
    }
    // Seqs are numbered without gaps, so a page of a category starts at a
    // known seq; a catalog with gaps is walked instead.
    if (last - first + 1 == count) {
        return ComponentRowReader::ReadRange(db, *m_urls, first + offset, last, 0, pageSize, page->Data);
    }
    return ComponentRowReader::ReadRange(db, *m_urls, first, last, offset, pageSize, page->Data);
}

namespace {

struct ComponentRow
{
    QString Id;
    QString Name;
    QString CategoryCode;
    QString ShopId;
    QString File;
    QVariant Detail;
};

std::wstring FindComponent(QSqlDatabase& db, const std::wstring& componentId, ComponentRow& row)
{
    if (componentId.empty()) {
        return Texts::tr("构件不存在").toStdWString();
    }
    QSqlQuery query(db);
    if (!Prepare(query, QStringLiteral("SELECT id, name, category_code, shop_id, file, detail FROM components "
                                       "WHERE id = ? ORDER BY seq LIMIT 1"))
        || !Run(query, {Q(componentId)})) {
        return SqlError(query);
    }
    if (!query.next()) {
        return Texts::tr("构件不存在").toStdWString();
    }
    row.Id = query.value(0).toString();
    row.Name = query.value(1).toString();
    row.CategoryCode = query.value(2).toString();
    row.ShopId = query.value(3).toString();
    row.File = query.value(4).toString();
    row.Detail = query.value(5);
    return {};
}

std::wstring ReadParameters(QSqlDatabase& db, const QVariant& detail, const QString& specificationId,
                            ISpecification& specification)
{
    QSqlQuery query(db);
    if (!Prepare(query, QStringLiteral("SELECT name, value, unit, visible FROM parameters "
                                       "WHERE detail = ? AND specification_id = ? ORDER BY position, rowid"))
        || !Run(query, {detail, specificationId})) {
        return SqlError(query);
    }
    int index = 0;
    while (query.next()) {
        // A parameter without a name cannot be shown or told apart.
        if (query.value(0).toString().isEmpty()) {
            continue;
        }
        auto parameter = std::make_shared<IParameter>();
        parameter->Name = Text(query.value(0).toString());
        parameter->Value = Text(query.value(1).toString());
        parameter->Unit = Text(query.value(2).toString());
        parameter->Visible = query.isNull(3) || query.value(3).toInt() != 0;
        // Zero-padded, so that key order is display order.
        specification.Parameters.emplace(Text(QStringLiteral("%1").arg(index++, 4, 10, QLatin1Char('0'))), parameter);
    }
    return {};
}

} // namespace

std::wstring SqliteCatalogBackend::QueryDetail(QSqlDatabase& db, const std::wstring& componentId,
                                               std::shared_ptr<IDetailedPublicComponent>& out)
{
    std::wstring error;
    const std::shared_ptr<const CatalogSnapshot> snapshot = Snapshot(db, error);
    if (!snapshot) {
        return error;
    }
    ComponentRow row;
    error = FindComponent(db, componentId, row);
    if (!error.empty()) {
        return error;
    }
    auto detail = std::make_shared<IDetailedPublicComponent>();
    detail->Id = Text(row.Id);
    detail->Name = Text(row.Name);
    detail->ShopId = Text(row.ShopId);
    std::vector<std::wstring> path;
    int index = snapshot->IndexByCode.value(row.CategoryCode, -1);
    for (int guard = 0; index >= 0 && guard < snapshot->Categories.size(); ++guard) {
        path.push_back(Text(snapshot->Categories[index].Name));
        index = snapshot->Categories[index].Parent;
    }
    detail->CategoryPath.assign(path.rbegin(), path.rend());

    QSqlQuery query(db);
    if (!Prepare(query, QStringLiteral("SELECT size_key, url FROM thumbnails WHERE detail = ? "
                                       "ORDER BY size_key, position, rowid"))
        || !Run(query, {row.Detail})) {
        return SqlError(query);
    }
    while (query.next()) {
        const std::wstring url = ResolveUrl(query.value(1).toString());
        if (!query.value(0).toString().isEmpty() && !url.empty()) {
            detail->Thumbnails[Text(query.value(0).toString())].push_back(url);
        }
    }
    error = QueryLegends(db, componentId, detail->Legends);
    if (!error.empty()) {
        return error;
    }
    if (!Prepare(query, QStringLiteral("SELECT specification_id, name FROM specifications WHERE detail = ? "
                                       "ORDER BY position, rowid"))
        || !Run(query, {row.Detail})) {
        return SqlError(query);
    }
    while (query.next()) {
        const QString id = query.value(0).toString();
        if (id.isEmpty()) {
            continue;
        }
        auto specification = std::make_shared<ISpecification>();
        specification->Id = Text(id);
        specification->Name = Text(query.value(1).toString());
        error = ReadParameters(db, row.Detail, id, *specification);
        if (!error.empty()) {
            return error;
        }
        detail->Specifications.push_back(specification);
    }
    out = detail;
    return {};
}

std::wstring SqliteCatalogBackend::QueryLegends(QSqlDatabase& db, const std::wstring& componentId, LegendList& out)
{
    ComponentRow row;
    const std::wstring error = FindComponent(db, componentId, row);
    if (!error.empty()) {
        return error;
    }
    QSqlQuery query(db);
    if (!Prepare(query, QStringLiteral("SELECT name, url FROM legends WHERE detail = ? ORDER BY position, rowid"))
        || !Run(query, {row.Detail})) {
        return SqlError(query);
    }
    while (query.next()) {
        const std::wstring url = ResolveUrl(query.value(1).toString());
        if (url.empty()) {
            continue;
        }
        auto legend = std::make_shared<ILegend>();
        legend->Name = Text(query.value(0).toString());
        legend->ImageUrl = url;
        out.push_back(legend);
    }
    return {};
}

std::wstring SqliteCatalogBackend::QuerySpecification(QSqlDatabase& db, const std::wstring& componentId,
                                                      const std::wstring& specificationId,
                                                      std::shared_ptr<ISpecification>& out)
{
    ComponentRow row;
    std::wstring error = FindComponent(db, componentId, row);
    if (!error.empty()) {
        return error;
    }
    if (specificationId.empty()) {
        return Texts::tr("规格不存在").toStdWString();
    }
    QSqlQuery query(db);
    if (!Prepare(query, QStringLiteral("SELECT name FROM specifications WHERE detail = ? AND specification_id = ? LIMIT 1"))
        || !Run(query, {row.Detail, Q(specificationId)})) {
        return SqlError(query);
    }
    if (!query.next()) {
        return Texts::tr("规格不存在").toStdWString();
    }
    auto specification = std::make_shared<ISpecification>();
    specification->Id = specificationId;
    specification->Name = Text(query.value(0).toString());
    error = ReadParameters(db, row.Detail, Q(specificationId), *specification);
    if (!error.empty()) {
        return error;
    }
    out = specification;
    return {};
}

std::wstring SqliteCatalogBackend::QueryCategoryProperty(QSqlDatabase& db, const std::wstring& categoryCode,
                                                         std::shared_ptr<ICategoryProperty>& out)
{
    std::wstring error;
    const std::shared_ptr<const CatalogSnapshot> snapshot = Snapshot(db, error);
    if (!snapshot) {
        return error;
    }
    if (!snapshot->IndexByCode.contains(Q(categoryCode))) {
        return Texts::tr("分类不存在").toStdWString();
    }
    QSqlQuery query(db);
    if (!Prepare(query, QStringLiteral("SELECT p.pid, p.code, p.name, p.unit, p.type FROM category_properties AS cp "
                                       "JOIN properties AS p ON p.pid = cp.pid WHERE cp.category_code = ? "
                                       "ORDER BY cp.position"))
        || !Run(query, {Q(categoryCode)})) {
        return SqlError(query);
    }
    QSqlQuery choices(db);
    if (!Prepare(choices, QStringLiteral("SELECT value, text FROM property_choices WHERE pid = ? "
                                         "ORDER BY position, rowid"))) {
        return SqlError(choices);
    }
    auto properties = std::make_shared<ICategoryProperty>();
    while (query.next()) {
        // A type the page cannot filter on is left out rather than shown wrongly.
        const QString type = CatalogSchema::CanonicalPropertyType(query.value(4).toString());
        const QString code = query.value(1).toString();
        if (type.isEmpty() || code.isEmpty()) {
            continue;
        }
        auto definition = std::make_shared<CategoryPropertyDefinition>();
        definition->Code = Text(code);
        const QString name = query.value(2).toString();
        definition->Name = Text(name.isEmpty() ? code : name);
        definition->Unit = Text(query.value(3).toString());
        definition->Type = Text(type);
        if (type == QLatin1String("Enum")) {
            if (!Run(choices, {query.value(0)})) {
                return SqlError(choices);
            }
            while (choices.next()) {
                const QString value = choices.value(0).toString();
                if (value.isEmpty()) {
                    continue;
                }
                const QString text = choices.value(1).toString();
                definition->Values.emplace(Text(value), Text(text.isEmpty() ? value : text));
            }
        }
        properties->Properties.emplace(definition->Name, definition);
    }
    out = properties;
    return {};
}

std::wstring SqliteCatalogBackend::QueryFileUrl(QSqlDatabase& db, const std::wstring& componentId, std::wstring& out)
{
    ComponentRow row;
    const std::wstring error = FindComponent(db, componentId, row);
    if (!error.empty()) {
        return error;
    }
    out = ResolveUrl(row.File);
    return out.empty() ? Texts::tr("构件没有构件文件").toStdWString() : std::wstring();
}

// Unknown ids are left out; when none is known there is nothing to add.
std::wstring SqliteCatalogBackend::ResolvePublic(const std::vector<std::wstring>& ids,
                                                 std::vector<PublicComponentRecord>& out)
{
    if (ids.empty()) {
        return Texts::tr("没有要添加的构件").toStdWString();
    }
    QString openError;
    QSqlDatabase catalog = Connection(&openError);
    if (!catalog.isOpen()) {
        return Text(openError);
    }
    for (const std::wstring& id : ids) {
        ComponentRow row;
        const std::wstring error = FindComponent(catalog, id, row);
        if (error == Texts::tr("构件不存在").toStdWString()) {
            continue;
        }
        if (!error.empty()) {
            return error;
        }
        out.push_back({id, Text(row.Name), Text(row.CategoryCode)});
    }
    return out.empty() ? Texts::tr("构件不存在").toStdWString() : std::wstring();
}

} // namespace vela
