#include "ProjectStore.h"
#include "StoreUnderTest.h"

#include <QSet>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

using namespace vela;
using namespace vela::test;

// The project store on each database: what one client adds the others see,
// concurrent additions lose and double nothing, a database that goes away
// mid-addition leaves no half-written addition, and schemas are migrated.
class tst_ProjectStore : public QObject
{
    Q_OBJECT

private slots:
    void additionsAreCopiesOthersSee_data() { m_databases.AddRows(); }
    void additionsAreCopiesOthersSee();
    void concurrentAdditionsLoseAndDoubleNothing_data() { m_databases.AddRows(); }
    void concurrentAdditionsLoseAndDoubleNothing();
    void aRepeatedAdditionAddsNothing_data() { m_databases.AddRows(); }
    void aRepeatedAdditionAddsNothing();
    void brokenStoreWritesNothingAndRecovers_data();
    void brokenStoreWritesNothingAndRecovers();
    void schemaIsMigratedOrRefused_data();
    void schemaIsMigratedOrRefused();

private:
    StoreUnderTest m_databases;
};

namespace {

const PublicComponentRecord Door{L"GJ1", L"木门", L"A0101"};
const PublicComponentRecord Window{L"GJ2", L"铝窗", L"A0201"};

std::vector<PublicComponentRecord> Seed()
{
    return {Door};
}

QString T(const std::wstring& text)
{
    return QString::fromStdWString(text);
}

// The error, then "name public-id version" per component.
QStringList Lines(const std::wstring& error, const ProjectComponentList& components)
{
    QStringList lines{T(error)};
    for (const auto& component : components) {
        lines << QStringLiteral("%1 %2 %3").arg(T(component->Name), T(component->PublicComponentId)).arg(component->Version);
    }
    return lines;
}

QStringList Listing(ProjectStore& store, const std::wstring& projectId)
{
    ProjectComponentList components;
    const std::wstring error = store.Components(projectId, components);
    return Lines(error, components);
}

// The error, then "id+" or "id-" per public component.
QStringList Repeats(ProjectStore& store, const std::wstring& projectId, const std::vector<std::wstring>& ids)
{
    RepeatCheckList checks;
    QStringList out{T(store.CheckRepeats(projectId, ids, checks))};
    for (const auto& check : checks) {
        out << T(check->PublicComponentId()) + (check->IsExistedInProject() ? QLatin1Char('+') : QLatin1Char('-'));
    }
    return out;
}

} // namespace

void tst_ProjectStore::additionsAreCopiesOthersSee()
{
    QFETCH(QString, database);
    const QString connection = m_databases.Fresh(database);
    QVERIFY2(!connection.isEmpty(), qPrintable(m_databases.Error()));
    // Given two clients of one store, seeded once
    ProjectStore one(connection);
    ProjectStore other(connection);
    QCOMPARE(T(one.SeedIfEmpty(Seed)), QString());
    QCOMPARE(T(other.SeedIfEmpty(Seed)), QString());
    QCOMPARE(Listing(other, L"P1001"), QStringList({"", "木门 GJ1 1"}));
    QCOMPARE(Repeats(other, L"P1002", {L"GJ1", L"GJ2"}), QStringList({"", "GJ1-", "GJ2-"}));

    // When one adds the same public component twice
    ProjectComponentList first;
    ProjectComponentList second;
    QCOMPARE(Lines(one.AddFromPublic(L"P1002", {Door, Window}, first), first),
             QStringList({"", "木门 GJ1 1", "铝窗 GJ2 1"}));
    QCOMPARE(Lines(one.AddFromPublic(L"P1002", {Door}, second), second), QStringList({"", "木门 GJ1 1"}));

    // Then each is a copy of its own, and the other client sees them, in order
    QVERIFY(first[0]->Id != second[0]->Id);
    QCOMPARE(Repeats(other, L"P1002", {L"GJ2", L"GJ3"}), QStringList({"", "GJ2+", "GJ3-"}));
    QCOMPARE(Listing(other, L"P1002"), QStringList({"", "木门 GJ1 1", "铝窗 GJ2 1", "木门 GJ1 1"}));
    ProjectList projects;
    QCOMPARE(T(other.Projects(projects)), QString());
    QCOMPARE(int(projects.size()), 4);

    // Refusals leave no trace.
    ProjectComponentList none;
    QCOMPARE(T(one.AddFromPublic(L"P404", {Door}, none)), QStringLiteral("协同项目不存在"));
    QCOMPARE(Listing(one, L"P404"), QStringList({"协同项目不存在"}));
    QCOMPARE(T(one.AddFromPublic(L"P1002", {}, none)), QStringLiteral("没有要添加的构件"));
    QCOMPARE(m_databases.Count(database, QStringLiteral("project_components")), 4);
}

void tst_ProjectStore::concurrentAdditionsLoseAndDoubleNothing()
{
    QFETCH(QString, database);
    const QString connection = m_databases.Fresh(database);
    QVERIFY2(!connection.isEmpty(), qPrintable(m_databases.Error()));
    ProjectStore store(connection);
    QCOMPARE(T(store.SeedIfEmpty(Seed)), QString());

    // 8 clients, each on its own thread and connection, add the same component 100 times.
    constexpr int Clients = 8;
    constexpr int Additions = 100;
    std::vector<QStringList> added(Clients);
    std::vector<QString> errors(Clients);
    std::vector<std::unique_ptr<QThread>> threads;
    for (int client = 0; client < Clients; ++client) {
        threads.emplace_back(QThread::create([&, client] {
            for (int i = 0; i < Additions && errors[client].isEmpty(); ++i) {
                ProjectComponentList one;
                errors[client] = T(store.AddFromPublic(L"P1003", {Window}, one));
                for (const auto& component : one) {
                    added[client] << T(component->Id);
                }
            }
        }));
        threads.back()->start();
    }
    QSet<QString> answered;
    for (int client = 0; client < Clients; ++client) {
        QVERIFY(threads[client]->wait(60000));
        QCOMPARE(errors[client], QString());
        answered.unite(QSet<QString>(added[client].begin(), added[client].end()));
    }
    QCOMPARE(answered.size(), Clients * Additions);
    ProjectComponentList listed;
    QCOMPARE(T(store.Components(L"P1003", listed)), QString());
    QSet<QString> stored;
    for (const auto& component : listed) {
        stored.insert(T(component->Id));
    }
    QCOMPARE(int(listed.size()), Clients * Additions);
    QCOMPARE(stored, answered);
}

// A client that lost the answer sends its addition again under the same key,
// possibly while the first is still running: one set of copies, the same answer.
void tst_ProjectStore::aRepeatedAdditionAddsNothing()
{
    QFETCH(QString, database);
    const QString connection = m_databases.Fresh(database);
    QVERIFY2(!connection.isEmpty(), qPrintable(m_databases.Error()));
    ProjectStore store(connection);
    QCOMPARE(T(store.SeedIfEmpty(Seed)), QString());
    const int before = m_databases.Count(database, QStringLiteral("project_components"));

    constexpr int Senders = 6;
    std::vector<QStringList> answers(Senders);
    std::vector<std::unique_ptr<QThread>> threads;
    for (int sender = 0; sender < Senders; ++sender) {
        threads.emplace_back(QThread::create([&, sender] {
            ProjectComponentList added;
            answers[sender] << T(store.AddFromPublic(L"P1002", {Door, Window}, added, L"key-1"));
            for (const auto& component : added) {
                answers[sender] << T(component->Id);
            }
        }));
        threads.back()->start();
    }
    for (auto& thread : threads) {
        QVERIFY(thread->wait(60000));
    }
    QCOMPARE(answers[0].size(), 3);
    QCOMPARE(answers[0].first(), QString());
    for (const QStringList& answer : answers) {
        QCOMPARE(answer, answers[0]);
    }
    QCOMPARE(m_databases.Count(database, QStringLiteral("project_components")), before + 2);

    // Another key is another addition: copies of their own.
    ProjectComponentList again;
    QCOMPARE(T(store.AddFromPublic(L"P1002", {Door, Window}, again, L"key-2")), QString());
    QVERIFY(T(again[0]->Id) != answers[0][1]);
    QCOMPARE(Listing(store, L"P1002"), QStringList({"", "木门 GJ1 1", "铝窗 GJ2 1", "木门 GJ1 1", "铝窗 GJ2 1"}));
}

void tst_ProjectStore::brokenStoreWritesNothingAndRecovers_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<QString>("failure");
    QTest::newRow("sqlite locked by another writer") << "sqlite" << "lock" << "协同项目库正忙，请稍后重试";
    QTest::newRow("sqlite file gone") << "sqlite" << "remove" << "协同项目库文件不见了";
    QTest::newRow("postgresql stopped") << "postgresql" << "stop" << "";
}

void tst_ProjectStore::brokenStoreWritesNothingAndRecovers()
{
    QFETCH(QString, database);
    QFETCH(QString, breakage);
    QFETCH(QString, failure);
    const QString connection = m_databases.Fresh(database);
    QVERIFY2(!connection.isEmpty(), qPrintable(m_databases.Error()));
    ProjectStore::Options options;
    options.BusyTimeoutMs = 50;
    options.ConnectTimeoutSeconds = 1;
    ProjectStore store(connection, options);
    QCOMPARE(T(store.SeedIfEmpty({})), QString());

    // Given a client adding three components at a time, over and over
    std::atomic<int> successes{0};
    std::atomic<bool> running{true};
    QStringList failures;
    QMutex failuresMutex;
    const auto failed = [&] {
        QMutexLocker lock(&failuresMutex);
        return failures.size();
    };
    std::unique_ptr<QThread> client(QThread::create([&] {
        while (running) {
            ProjectComponentList added;
            const std::wstring error = store.AddFromPublic(L"P1004", {Door, Window, Door}, added);
            QMutexLocker lock(&failuresMutex);
            error.empty() ? void(++successes) : failures.append(T(error));
        }
    }));
    client->start();
    // Stops the client however the test ends.
    const std::unique_ptr<QThread, std::function<void(QThread*)>> stopper(client.get(), [&running](QThread* thread) {
        running = false;
        thread->wait();
    });
    QTRY_VERIFY(successes >= 3);

    // When the database breaks mid-way, and comes back
    QVERIFY2(m_databases.Break(database, breakage, true), qPrintable(m_databases.Error()));
    QTRY_VERIFY_WITH_TIMEOUT(failed() >= 2, 20000);
    QVERIFY2(m_databases.Break(database, breakage, false), qPrintable(m_databases.Error()));
    const int before = successes;
    QTRY_VERIFY_WITH_TIMEOUT(successes >= before + 2, 20000);
    running = false;
    client->wait();

    // Then each failure said so clearly, only whole additions were kept, and a
    // connection left idle meanwhile (this thread's) works at its first try
    for (const QString& text : failures) {
        QVERIFY2(failure.isEmpty() ? text.contains(QStringLiteral("协同项目库")) : text.startsWith(failure),
                 qPrintable(text));
    }
    ProjectComponentList added;
    QCOMPARE(T(store.AddFromPublic(L"P1004", {Door, Window, Door}, added)), QString());
    QCOMPARE(m_databases.Count(database, QStringLiteral("project_components")), 3 * successes + 3);
}

void tst_ProjectStore::schemaIsMigratedOrRefused_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("refusal");
    for (const QString& database : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
        const QByteArray name = database.toLatin1();
        QTest::newRow(name + " fresh") << database << "" << "" << "";
        QTest::newRow(name + " newer than the program")
            << database << "" << "INSERT INTO schema_migrations VALUES(99, 'x', 'later')" << "较新的程序";
        QTest::newRow(name + " applied file changed")
            << database << "" << "UPDATE schema_migrations SET checksum = 'edited' WHERE version = 1" << "不一致";
    }
    // A store written before there were migrations is taken over with its rows.
    QTest::newRow("sqlite store without migrations")
        << "sqlite"
        << "CREATE TABLE projects(id TEXT PRIMARY KEY, name TEXT);"
           "CREATE TABLE project_components(id TEXT PRIMARY KEY, project_id TEXT, name TEXT, category_code TEXT, "
           "version INTEGER, public_component_id TEXT, added_at TEXT);"
           "INSERT INTO projects VALUES('P1001', '旧项目');"
           "INSERT INTO project_components VALUES('PC-old', 'P1001', '旧门', 'A0101', 3, 'GJ9', 'seed')"
        << "" << "";
}

void tst_ProjectStore::schemaIsMigratedOrRefused()
{
    QFETCH(QString, database);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, refusal);
    const QString connection = m_databases.Fresh(database);
    QVERIFY2(!connection.isEmpty(), qPrintable(m_databases.Error()));
    QVERIFY2(m_databases.Exec(database, before), qPrintable(m_databases.Error()));
    QCOMPARE(T(ProjectStore(connection).Open()), QString());
    QCOMPARE(m_databases.Count(database, QStringLiteral("schema_migrations")), ProjectStore::LatestVersion());
    QVERIFY2(m_databases.Exec(database, after), qPrintable(m_databases.Error()));

    // A program started later checks again.
    ProjectStore later(connection);
    const QString error = T(later.Open());
    if (!refusal.isEmpty()) {
        QVERIFY2(error.contains(refusal), qPrintable(error));
        QCOMPARE(Listing(later, L"P1001"), QStringList{error});
        return;
    }
    QCOMPARE(error, QString());
    QCOMPARE(T(later.SeedIfEmpty(Seed)), QString());
    ProjectComponentList added;
    QCOMPARE(T(later.AddFromPublic(L"P1001", {Window}, added)), QString());
    const QString kept = before.isEmpty() ? QStringLiteral("木门 GJ1 1") : QStringLiteral("旧门 GJ9 3");
    QCOMPARE(Listing(later, L"P1001"), QStringList({"", kept, "铝窗 GJ2 1"}));
}

QTEST_MAIN(tst_ProjectStore)
#include "tst_ProjectStore.moc"
