#include "ProjectStore.h"

#include "WideText.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>
#include <QVariant>

#include <sys/stat.h>

#include <algorithm>
#include <map>

namespace vela {

namespace {

QAtomicInt s_instances;

// Serialises schema changes and seeding across every program sharing one PostgreSQL database.
constexpr qint64 SchemaLockKey = 7270013;

// Texts a person may read, in the interface language.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(vela::ProjectStore)
};

std::wstring MissingProjectText()
{
    return Texts::tr("协同项目不存在").toStdWString();
}

QString Q(const std::wstring& text)
{
    return WideText::ToQString(text);
}

std::wstring W(const QString& text)
{
    return text.toStdWString();
}

struct Migration
{
    int Version = 0;
    QString Name;
    QString Sql;
    QString Checksum;
};

// The migration files for one database kind, by version: a ".pg.sql" or
// ".sqlite.sql" file replaces the plain one of the same number.
const std::map<int, Migration>& Migrations(bool postgres)
{
    static const auto load = [](bool pg) {
        static const QRegularExpression pattern(QStringLiteral(R"(^(\d+)_(.+?)(?:\.(pg|sqlite))?\.sql$)"));
        std::map<int, Migration> plain;
        std::map<int, Migration> variants;
        const QDir folder(QStringLiteral(":/vela/migrations"));
        for (const QString& file : folder.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
            const QRegularExpressionMatch match = pattern.match(file);
            if (!match.hasMatch()) {
                continue;
            }
            const QString kind = match.captured(3);
            if (!kind.isEmpty() && kind != (pg ? QLatin1String("pg") : QLatin1String("sqlite"))) {
                continue;
            }
            QFile source(folder.filePath(file));
            if (!source.open(QIODevice::ReadOnly)) {
                continue;
            }
            const QByteArray bytes = source.readAll();
            Migration migration;
            migration.Version = match.captured(1).toInt();
            migration.Name = file;
            migration.Sql = QString::fromUtf8(bytes);
            migration.Checksum = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
            (kind.isEmpty() ? plain : variants)[migration.Version] = migration;
        }
        for (auto& [version, migration] : variants) {
            plain[version] = migration;
        }
        return plain;
    };
    static const std::map<int, Migration> sqlite = load(false);
    static const std::map<int, Migration> postgres_ = load(true);
    return postgres ? postgres_ : sqlite;
}

// One statement per exec: SQLite takes no more.
QStringList Statements(const QString& sql)
{
    QStringList kept;
    for (const QString& line : sql.split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QLatin1String("--"))) {
            kept << line;
        }
    }
    QStringList statements;
    for (const QString& statement : kept.join(QLatin1Char('\n')).split(QLatin1Char(';'))) {
        if (!statement.trimmed().isEmpty()) {
            statements << statement.trimmed();
        }
    }
    return statements;
}

bool Run(QSqlQuery& query, const QString& sql, const QVariantList& values = {})
{
    query.setForwardOnly(true);
    if (values.isEmpty()) {
        return query.exec(sql);
    }
    if (!query.prepare(sql)) {
        return false;
    }
    for (int i = 0; i < values.size(); ++i) {
        query.bindValue(i, values[i]);
    }
    return query.exec();
}

// Re-binds a prepared query.
bool Again(QSqlQuery& query, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) {
        query.bindValue(i, values[i]);
    }
    return query.exec();
}

quint64 FileIdentity(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return 0;
    }
    return (quint64(info.st_dev) << 40) ^ quint64(info.st_ino);
}

struct PostgresTarget
{
    QString Host;
    int Port = -1;
    QString Database;
    QString User;
    QString Password;
    QStringList Options;
};

PostgresTarget ParsePostgres(const QString& connection)
{
    PostgresTarget target;
    QList<QPair<QString, QString>> pairs;
    const QString text = connection.trimmed();
    if (text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
        || text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive)) {
        const QUrl url(text);
        target.Host = url.host();
        target.Port = url.port(-1);
        target.Database = url.path().mid(1);
        target.User = url.userName();
        target.Password = url.password();
        pairs = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    } else {
        static const QRegularExpression pair(QStringLiteral(R"((\w+)\s*=\s*('(?:[^'\\]|\\.)*'|\S+))"));
        auto it = pair.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            QString value = match.captured(2);
            if (value.startsWith(QLatin1Char('\''))) {
                value = value.mid(1, value.size() - 2).replace(QLatin1String("\\'"), QLatin1String("'"));
            }
            pairs.append({match.captured(1), value});
        }
    }
    for (const auto& [key, value] : pairs) {
        if (key == QLatin1String("host")) {
            target.Host = value;
        } else if (key == QLatin1String("port")) {
            target.Port = value.toInt();
        } else if (key == QLatin1String("dbname")) {
            target.Database = value;
        } else if (key == QLatin1String("user")) {
            target.User = value;
        } else if (key == QLatin1String("password")) {
            target.Password = value;
        } else {
            target.Options << key + QLatin1Char('=') + value;
        }
    }
    return target;
}

std::shared_ptr<IProjectComponent> MakeComponent(const QString& id, const QString& name, const QString& categoryCode,
                                                 int version, const QString& publicId)
{
    auto component = std::make_shared<IProjectComponent>();
    component->Id = W(id);
    component->Name = W(name);
    component->CategoryCode = W(categoryCode);
    component->Version = version;
    component->PublicComponentId = W(publicId);
    return component;
}

// The columns ReadComponents() reads, in its order.
const QString ComponentColumns = QStringLiteral("id, name, category_code, version, public_component_id");

ProjectComponentList ReadComponents(QSqlQuery& query)
{
    ProjectComponentList components;
    while (query.next()) {
        components.push_back(MakeComponent(query.value(0).toString(), query.value(1).toString(),
                                           query.value(2).toString(), query.value(3).toInt(),
                                           query.value(4).toString()));
    }
    query.finish();
    return components;
}

QString Now()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

QString NewComponentId()
{
    return QStringLiteral("PC-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

ProjectStore::ProjectStore(const QString& connection)
    : ProjectStore(connection, Options())
{
}

ProjectStore::ProjectStore(const QString& connection, Options options)
    : m_connection(connection.trimmed())
    , m_options(options)
    , m_postgres(IsPostgres(connection))
    , m_instance(s_instances.fetchAndAddRelaxed(1))
{
    if (!m_postgres && !m_connection.isEmpty()) {
        m_file = QDir::cleanPath(QDir::current().absoluteFilePath(m_connection));
    }
}

ProjectStore::~ProjectStore()
{
    QMutexLocker lock(&m_mutex);
    const QString prefix = QStringLiteral("plaza-project-store-%1-").arg(m_instance);
    const QString mine = prefix + QString::number(quintptr(QThread::currentThread()), 16);
    if (m_connectionNames.contains(mine)) {
        QSqlDatabase::removeDatabase(mine);
    }
}

bool ProjectStore::IsPostgres(const QString& connection)
{
    static const QRegularExpression keyValue(QStringLiteral(R"(^\s*\w+\s*=)"));
    const QString text = connection.trimmed();
    return text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
           || text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive) || keyValue.match(text).hasMatch();
}

bool ProjectStore::UsesPostgres() const
{
    return m_postgres;
}

bool ProjectStore::InMemory() const
{
    return !m_postgres && m_file.isEmpty();
}

QString ProjectStore::Description() const
{
    if (!m_postgres) {
        return m_file.isEmpty() ? Texts::tr("内存中的协同项目库") : m_file;
    }
    const PostgresTarget target = ParsePostgres(m_connection);
    return QStringLiteral("PostgreSQL %1@%2:%3/%4")
        .arg(target.User, target.Host.isEmpty() ? QStringLiteral("localhost") : target.Host,
             target.Port > 0 ? QString::number(target.Port) : QStringLiteral("5432"), target.Database);
}

int ProjectStore::LatestVersion()
{
    const auto& migrations = Migrations(false);
    return migrations.empty() ? 0 : migrations.rbegin()->first;
}

std::wstring ProjectStore::StoreGone() const
{
    return W(Texts::tr("协同项目库文件不见了：%1").arg(m_file));
}

QSqlDatabase ProjectStore::Connection(std::wstring& error)
{
    QThread* thread = QThread::currentThread();
    const QString name =
        QStringLiteral("plaza-project-store-%1-%2").arg(m_instance).arg(quintptr(thread), 0, 16);
    QSqlDatabase db;
    if (QSqlDatabase::contains(name)) {
        db = QSqlDatabase::database(name, false);
    } else {
        db = QSqlDatabase::addDatabase(m_postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name);
        {
            QMutexLocker lock(&m_mutex);
            m_connectionNames << name;
        }
        // Connections belong to their thread; this one goes with it.
        QObject::connect(
            thread, &QThread::finished, thread, [name] { QSqlDatabase::removeDatabase(name); }, Qt::DirectConnection);
    }
    if (!m_file.isEmpty()) {
        const quint64 identity = FileIdentity(m_file);
        QMutexLocker lock(&m_mutex);
        if (m_fileIdentity != 0 && identity == 0) {
            db.close();
            error = StoreGone();
            return db;
        }
        if (m_fileIdentity != 0 && identity != m_openedIdentity.value(name) && db.isOpen()) {
            // Another file stands there now (a restored copy): read that one.
            db.close();
        }
    }
    if (!db.isOpen() && !OpenConnection(db, error)) {
        db.close();
    }
    return db;
}

bool ProjectStore::OpenConnection(QSqlDatabase& db, std::wstring& error)
{
    if (m_postgres) {
        const PostgresTarget target = ParsePostgres(m_connection);
        db.setHostName(target.Host);
        db.setPort(target.Port);
        db.setDatabaseName(target.Database);
        db.setUserName(target.User);
        db.setPassword(target.Password);
        QStringList options = target.Options;
        if (options.filter(QRegularExpression(QStringLiteral("^connect_timeout="))).isEmpty()) {
            options << QStringLiteral("connect_timeout=%1").arg(m_options.ConnectTimeoutSeconds);
        }
        db.setConnectOptions(options.join(QLatin1Char(';')));
    } else if (m_file.isEmpty()) {
        db.setDatabaseName(QStringLiteral("file:plaza-project-store-%1?mode=memory&cache=shared").arg(m_instance));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(m_options.BusyTimeoutMs));
    } else {
        QMutexLocker lock(&m_mutex);
        // Only the very first connection may make the file: a store that
        // disappeared later is not replaced by an empty one.
        if (m_fileIdentity == 0) {
            QDir().mkpath(QFileInfo(m_file).path());
        } else if (FileIdentity(m_file) == 0) {
            error = StoreGone();
            return false;
        }
        db.setDatabaseName(m_file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_options.BusyTimeoutMs));
    }
    if (!db.open()) {
        error = W(Texts::tr("无法连接协同项目库 %1（%2）").arg(Description(), db.lastError().text().trimmed()));
        return false;
    }
    if (!m_postgres) {
        QSqlQuery query(db);
        query.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
        if (!m_file.isEmpty()) {
            query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            // In WAL mode this still survives a crash of the program; only a power cut may lose the last additions.
            query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
            QMutexLocker lock(&m_mutex);
            m_fileIdentity = FileIdentity(m_file);
            m_openedIdentity[db.connectionName()] = m_fileIdentity;
        }
    }
    QMutexLocker lock(&m_mutex);
    if (!m_migrated) {
        error = Migrate(db);
        if (!error.empty()) {
            return false;
        }
        m_migrated = true;
    }
    return true;
}

std::wstring ProjectStore::Fail(QSqlDatabase& db, const QString& detail, bool rollback)
{
    if (rollback) {
        // After one failed statement PostgreSQL refuses the rest of the transaction.
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    }
    std::wstring text;
    if (!m_postgres && (detail.contains(QLatin1String("database is locked"))
                        || detail.contains(QLatin1String("database table is locked")))) {
        text = Texts::tr("协同项目库正忙，请稍后重试").toStdWString();
    } else {
        text = W(Texts::tr("协同项目库出错：%1").arg(detail.trimmed()));
    }
    // A PostgreSQL connection that failed may be gone; the next call connects again.
    if (m_postgres) {
        db.close();
    }
    return text;
}

bool ProjectStore::First(QSqlDatabase& db, QSqlQuery& query, std::wstring& error, const QString& sql,
                         const QVariantList& values)
{
    if (Run(query, sql, values)) {
        return true;
    }
    // Not while the schema is checked: that runs inside the opening of a connection.
    if (m_postgres && m_migrated) {
        // A connection from before a restart of the server fails its first
        // statement; nothing ran yet, so it is connected again and tried once more.
        query = QSqlQuery();
        db.close();
        if (!OpenConnection(db, error)) {
            db.close();
            return false;
        }
        query = QSqlQuery(db);
        if (Run(query, sql, values)) {
            return true;
        }
    }
    error = Fail(db, query.lastError().text(), false);
    return false;
}

bool ProjectStore::Begin(QSqlDatabase& db, bool write, std::wstring& error)
{
    QSqlQuery query(db);
    return First(db, query, error, !m_postgres && write ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

bool ProjectStore::Commit(QSqlDatabase& db, std::wstring& error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("COMMIT"))) {
        error = Fail(db, query.lastError().text(), true);
        return false;
    }
    return true;
}

std::wstring ProjectStore::Migrate(QSqlDatabase& db)
{
    const std::map<int, Migration>& migrations = Migrations(m_postgres);
    const int latest = migrations.empty() ? 0 : migrations.rbegin()->first;
    // One transaction per file; each starts by taking the schema lock and
    // reading again what is applied, as another program may have moved on.
    for (;;) {
        std::wstring error;
        if (!Begin(db, true, error)) {
            return error;
        }
        QSqlQuery query(db);
        const auto fail = [&] { return Fail(db, query.lastError().text(), true); };
        if (m_postgres && !Run(query, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(SchemaLockKey))) {
            return fail();
        }
        // Looked up first: PostgreSQL would print a notice for every start otherwise.
        if (!db.tables().contains(QStringLiteral("schema_migrations"))
            && !Run(query, QStringLiteral("CREATE TABLE IF NOT EXISTS schema_migrations(version INTEGER PRIMARY KEY, "
                                          "checksum TEXT NOT NULL, applied_at TEXT NOT NULL)"))) {
            return fail();
        }
        std::map<int, QString> applied;
        if (!Run(query, QStringLiteral("SELECT version, checksum FROM schema_migrations"))) {
            return fail();
        }
        while (query.next()) {
            applied[query.value(0).toInt()] = query.value(1).toString();
        }
        query.finish();

        if (applied.empty() && db.tables().contains(QStringLiteral("projects")) && migrations.count(1)) {
            // A store from before the migrations: its tables are those of the first file.
            const QSqlRecord record = db.record(QStringLiteral("project_components"));
            for (const char* field : {"id", "project_id", "name", "category_code", "version", "public_component_id"}) {
                if (!record.contains(QLatin1String(field))) {
                    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                    return W(Texts::tr("无法识别协同项目库 %1 的表结构（缺少 project_components.%2）")
                                 .arg(Description(), QLatin1String(field)));
                }
            }
            if (!Run(query, QStringLiteral("INSERT INTO schema_migrations(version, checksum, applied_at) "
                                           "VALUES(?, ?, ?)"),
                     {1, migrations.at(1).Checksum, Now()})) {
                return fail();
            }
            applied[1] = migrations.at(1).Checksum;
        }

        for (const auto& [version, checksum] : applied) {
            if (version > latest) {
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                return W(Texts::tr("协同项目库 %1 由较新的程序写入（架构版本 %2，本程序只认识到 %3），请升级程序")
                             .arg(Description())
                             .arg(applied.rbegin()->first)
                             .arg(latest));
            }
            const auto known = migrations.find(version);
            if (known == migrations.end() || known->second.Checksum != checksum) {
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                return W(Texts::tr("协同项目库 %1 的架构第 %2 版与本程序的迁移文件不一致，拒绝使用")
                             .arg(Description())
                             .arg(version));
            }
        }

        const auto next = std::find_if(migrations.begin(), migrations.end(),
                                       [&](const auto& entry) { return !applied.count(entry.first); });
        if (next == migrations.end()) {
            return Commit(db, error) ? std::wstring() : error;
        }
        for (const QString& statement : Statements(next->second.Sql)) {
            if (!Run(query, statement)) {
                return W(Texts::tr("协同项目库架构升级失败（%1）：%2")
                             .arg(next->second.Name, QString::fromStdWString(fail())));
            }
        }
        if (!Run(query, QStringLiteral("INSERT INTO schema_migrations(version, checksum, applied_at) VALUES(?, ?, ?)"),
                 {next->first, next->second.Checksum, Now()})) {
            return fail();
        }
        if (!Commit(db, error)) {
            return error;
        }
    }
}

std::wstring ProjectStore::Open()
{
    std::wstring error;
    Connection(error);
    return error;
}

std::wstring ProjectStore::SeedIfEmpty(const std::function<std::vector<PublicComponentRecord>()>& components)
{
    std::wstring error;
    QSqlDatabase db = Connection(error);
    if (!error.empty()) {
        return error;
    }
    if (!Begin(db, true, error)) {
        return error;
    }
    QSqlQuery query(db);
    const auto fail = [&] { return Fail(db, query.lastError().text(), true); };
    if (m_postgres && !Run(query, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(SchemaLockKey))) {
        return fail();
    }
    if (!Run(query, QStringLiteral("SELECT count(*) FROM projects")) || !query.next()) {
        return fail();
    }
    if (query.value(0).toLongLong() > 0) {
        query.finish();
        return Commit(db, error) ? std::wstring() : error;
    }
    query.finish();
    // A few projects to work with, the first already holding some library
    // components so that repeats can be seen.
    const QVector<QPair<QString, QString>> projects = {
        {QStringLiteral("P1001"), QStringLiteral("协同示范项目")},
        {QStringLiteral("P1002"), QStringLiteral("滨江花园住宅二期")},
        {QStringLiteral("P1003"), QStringLiteral("城市图书馆改造工程")},
        {QStringLiteral("P1004"), QStringLiteral("地铁三号线车站装修")},
    };
    if (!query.prepare(QStringLiteral("INSERT INTO projects(id, name) VALUES(?, ?)"))) {
        return fail();
    }
    for (const auto& project : projects) {
        if (!Again(query, {project.first, project.second})) {
            return fail();
        }
    }
    if (!query.prepare(QStringLiteral("INSERT INTO project_components(id, project_id, name, category_code, version, "
                                      "public_component_id, added_at, position) VALUES(?, ?, ?, ?, 1, ?, ?, ?)"))) {
        return fail();
    }
    const QString now = Now();
    int position = 0;
    for (const PublicComponentRecord& component : components ? components() : std::vector<PublicComponentRecord>()) {
        if (!Again(query, {NewComponentId(), projects.first().first, Q(component.Name), Q(component.CategoryCode),
                           Q(component.Id), now, ++position})) {
            return fail();
        }
    }
    return Commit(db, error) ? std::wstring() : error;
}

std::wstring ProjectStore::FindProject(const std::wstring& projectId, QSqlDatabase& db, QSqlQuery& query)
{
    std::wstring error;
    db = Connection(error);
    if (!error.empty()) {
        return error;
    }
    query = QSqlQuery(db);
    if (!First(db, query, error, QStringLiteral("SELECT 1 FROM projects WHERE id = ?"), {Q(projectId)})) {
        return error;
    }
    if (!query.next()) {
        return MissingProjectText();
    }
    query.finish();
    return {};
}

std::wstring ProjectStore::CheckRepeats(const std::wstring& projectId, const std::vector<std::wstring>& publicIds,
                                        RepeatCheckList& out)
{
    QSqlDatabase db;
    QSqlQuery query;
    if (std::wstring error = FindProject(projectId, db, query); !error.empty()) {
        return error;
    }
    if (!query.prepare(QStringLiteral("SELECT 1 FROM project_components WHERE project_id = ? "
                                      "AND public_component_id = ? LIMIT 1"))) {
        return Fail(db, query.lastError().text(), false);
    }
    RepeatCheckList checks;
    for (const std::wstring& id : publicIds) {
        if (!Again(query, {Q(projectId), Q(id)})) {
            return Fail(db, query.lastError().text(), false);
        }
        const bool existed = query.next();
        query.finish();
        checks.push_back(std::make_shared<PublicComponentRepeatCheck>(id, existed));
    }
    out = std::move(checks);
    return {};
}

std::wstring ProjectStore::AddFromPublic(const std::wstring& projectId,
                                         const std::vector<PublicComponentRecord>& components,
                                         ProjectComponentList& out, const std::wstring& requestKey)
{
    if (components.empty()) {
        return Texts::tr("没有要添加的构件").toStdWString();
    }
    std::wstring error;
    QSqlDatabase db = Connection(error);
    if (!error.empty()) {
        return error;
    }
    if (!Begin(db, true, error)) {
        return error;
    }
    QSqlQuery query(db);
    const auto fail = [&] { return Fail(db, query.lastError().text(), true); };
    // Additions to one project take turns (SQLite: the whole store does), so
    // that each continues after the last position of the one before.
    const QString lockProject = m_postgres ? QStringLiteral(" FOR UPDATE") : QString();
    if (!Run(query, QStringLiteral("SELECT 1 FROM projects WHERE id = ?") + lockProject, {Q(projectId)})) {
        return fail();
    }
    if (!query.next()) {
        query.finish();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return MissingProjectText();
    }
    query.finish();
    // Under the project's turn, so a repeat sent while the first is still running waits and finds it.
    const QVariant key = requestKey.empty() ? QVariant(QVariant::String) : QVariant(Q(requestKey));
    if (!requestKey.empty()) {
        if (!Run(query,
                 QStringLiteral("SELECT %1 FROM project_components WHERE project_id = ? AND request_key = ? "
                                "ORDER BY position")
                     .arg(ComponentColumns),
                 {Q(projectId), key})) {
            return fail();
        }
        ProjectComponentList earlier = ReadComponents(query);
        if (!earlier.empty()) {
            if (!Commit(db, error)) {
                return error;
            }
            out = std::move(earlier);
            return {};
        }
    }
    if (!Run(query, QStringLiteral("SELECT coalesce(max(position), 0) FROM project_components WHERE project_id = ?"),
             {Q(projectId)})
        || !query.next()) {
        return fail();
    }
    const int last = query.value(0).toInt();
    query.finish();
    if (!query.prepare(QStringLiteral("INSERT INTO project_components(id, project_id, name, category_code, version, "
                                      "public_component_id, added_at, position, request_key) "
                                      "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)"))) {
        return fail();
    }
    const QString now = Now();
    ProjectComponentList added;
    for (const PublicComponentRecord& record : components) {
        // Every addition is a copy of its own, even of a component already in the project.
        const QString id = NewComponentId();
        const int version = 1;
        if (!Again(query, {id, Q(projectId), Q(record.Name), Q(record.CategoryCode), version, Q(record.Id), now,
                           last + 1 + int(added.size()), key})) {
            return fail();
        }
        added.push_back(MakeComponent(id, Q(record.Name), Q(record.CategoryCode), version, Q(record.Id)));
    }
    if (!Commit(db, error)) {
        return error;
    }
    out = std::move(added);
    return {};
}

std::wstring ProjectStore::Projects(ProjectList& out)
{
    std::wstring error;
    QSqlDatabase db = Connection(error);
    if (!error.empty()) {
        return error;
    }
    QSqlQuery query(db);
    if (!First(db, query, error, QStringLiteral("SELECT id, name FROM projects ORDER BY id"))) {
        return error;
    }
    ProjectList projects;
    while (query.next()) {
        projects.push_back({W(query.value(0).toString()), W(query.value(1).toString())});
    }
    out = std::move(projects);
    return {};
}

std::wstring ProjectStore::Components(const std::wstring& projectId, ProjectComponentList& out)
{
    QSqlDatabase db;
    QSqlQuery query;
    if (std::wstring error = FindProject(projectId, db, query); !error.empty()) {
        return error;
    }
    if (!Run(query,
             QStringLiteral("SELECT %1 FROM project_components WHERE project_id = ? ORDER BY position, added_at, id")
                 .arg(ComponentColumns),
             {Q(projectId)})) {
        return Fail(db, query.lastError().text(), false);
    }
    out = ReadComponents(query);
    return {};
}

} // namespace vela
