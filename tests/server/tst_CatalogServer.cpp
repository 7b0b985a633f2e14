#include "CatalogJson.h"
#include "CatalogServerProcess.h"
#include "EmbeddedAnswer.h"
#include "HttpCatalogBackend.h"
#include "HttpExchange.h"
#include "SqliteCatalogBackend.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>
#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace vela;
using namespace vela::test;

// The catalog server, driven over HTTP as any client would, answers what the
// embedded catalog answers for the same request, and the HTTP backend reads it so.
class tst_CatalogServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void EndpointsAnswerAsTheEmbeddedCatalog();
    void BadRequestsAreRefusedInJson_data();
    void BadRequestsAreRefusedInJson();
    void UnknownIdsAndEscapingPathsAre404_data();
    void UnknownIdsAndEscapingPathsAre404();
    void FilesAreRevalidatedByEntityTag();
    void LinksOutOfTheFolderAre404();
    void RefusesAProjectStoreOfANewerProgram();
    void AnAdditionSentAgainIsAnsweredAsBefore();

private:
    QJsonObject Json(const HttpExchange& exchange) const;

    std::unique_ptr<CatalogServerProcess> m_server;
    std::unique_ptr<SqliteCatalogBackend> m_embedded;
    QNetworkAccessManager m_manager;
    CatalogJson::UrlMap m_urls;
};

void tst_CatalogServer::initTestCase()
{
    m_server = std::make_unique<CatalogServerProcess>();
    QVERIFY2(m_server->Start(), qPrintable(m_server->Error()));
    m_embedded = std::make_unique<SqliteCatalogBackend>(CatalogServerProcess::SampleCatalog());
    m_urls = ServedFrom(m_embedded->CatalogFolder(), m_server->Url().toString(QUrl::StripTrailingSlash));
}

void tst_CatalogServer::cleanupTestCase()
{
    if (m_server) {
        QCOMPARE(HttpExchange::Get(m_manager, m_server->Url(QStringLiteral("/api/v1/components/detail?id=LAST"))).Status, 404);
        // Idle keep-alive connections would hold the server's threads until they time out.
        m_manager.clearConnectionCache();
        // Stops cleanly on SIGTERM, having logged the request once with its status.
        QCOMPARE(m_server->Stop(), 0);
        const QByteArray request = "GET /api/v1/components/detail?id=LAST ";
        const QList<QByteArray> lines = m_server->Log().split('\n');
        QCOMPARE(int(std::count_if(lines.begin(), lines.end(), [&](const QByteArray& line) { return line.contains(request); })), 1);
        QVERIFY(m_server->Log().contains(request + "404"));
    }
}

QJsonObject tst_CatalogServer::Json(const HttpExchange& exchange) const
{
    QJsonObject object;
    QString error;
    if (!CatalogJson::Parse(exchange.Body, object, &error)) {
        qWarning("not a JSON answer (%s): %s", qPrintable(error), exchange.Body.left(200).constData());
    }
    return object;
}

void tst_CatalogServer::EndpointsAnswerAsTheEmbeddedCatalog()
{
    CatalogBackend& embedded = *m_embedded;

    // A filter the catalog really has: the first enumerated property of a leaf and its first value.
    const auto property = Ask<std::shared_ptr<ICategoryProperty>>(
        [&](auto done) { embedded.GetCategoryProperty(L"A0101", std::move(done)); });
    QVERIFY(property.first.empty() && property.second);
    auto condition = std::make_shared<ConditionFilterOption>();
    for (const auto& [name, definition] : property.second->Properties) {
        if (definition->Type == L"Enum" && !definition->Values.empty()) {
            condition->SetCode(definition->Code);
            condition->SetValue(definition->Values.begin()->first);
            condition->ValueType = ConditionFilterOption::Enumeration;
            condition->Operator = ConditionFilterOption::Equal;
            break;
        }
    }
    QVERIFY(!condition->Code().empty());

    const CategoryQuery byKeyword{L"门", {}};
    const CategoryQuery byCondition{L"", {condition}};
    const ComponentQuery pageTwo{L"A01", L"门", 2, 3, -1, {}};
    const ComponentQuery filtered{L"A0101", L"", 1, 20, -1, {condition}};

    const auto page = Ask<ComponentPage>([&](auto done) { embedded.GetComponents(filtered, std::move(done)); });
    QVERIFY(page.first.empty() && page.second && !page.second->Data.empty());
    const std::wstring id = page.second->Data.front()->Id;
    const auto detail = Ask<std::shared_ptr<IDetailedPublicComponent>>(
        [&](auto done) { embedded.GetDetailedComponent(id, std::move(done)); });
    QVERIFY(detail.first.empty() && detail.second && !detail.second->Specifications.empty());
    const std::wstring specificationId = detail.second->Specifications.front()->Id;
    const QString idText = QString::fromStdWString(id);

    const auto post = [this](const QString& path, const QJsonObject& body) {
        return HttpExchange::Post(m_manager, m_server->Url(path), CatalogJson::Bytes(body));
    };
    const auto get = [this](const QString& path) { return HttpExchange::Get(m_manager, m_server->Url(path)); };
    // Each answer three ways: the server's JSON, the embedded catalog's, and the HTTP
    // backend's reading of the server written out again.
    HttpCatalogBackend client(m_server->Url());
    struct Case
    {
        const char* Name;
        HttpExchange Served;
        std::function<QJsonObject(CatalogBackend&, const CatalogJson::UrlMap&)> Answer;
    };
    using Detail = std::shared_ptr<IDetailedPublicComponent>;
    const QString categories = QStringLiteral("/api/v1/categories/query");
    const QString components = QStringLiteral("/api/v1/components/query");
    const Case cases[] = {
        {"categories by keyword", post(categories, CatalogJson::FromCategoryQuery(byKeyword)), [&](CatalogBackend& b, auto) {
             return CatalogJson::FromCategories(Ask<CategoryList>([&](auto done) { b.GetCategories(byKeyword, done); }).second);
         }},
        {"categories by condition", post(categories, CatalogJson::FromCategoryQuery(byCondition)), [&](CatalogBackend& b, auto) {
             return CatalogJson::FromCategories(Ask<CategoryList>([&](auto done) { b.GetCategories(byCondition, done); }).second);
         }},
        {"second page of a keyword in a subtree", post(components, CatalogJson::FromComponentQuery(pageTwo)),
         [&](CatalogBackend& b, const auto& urls) {
             return CatalogJson::FromComponentPage(Ask<ComponentPage>([&](auto done) { b.GetComponents(pageTwo, done); }).second, urls);
         }},
        {"components by condition", post(components, CatalogJson::FromComponentQuery(filtered)), [&](CatalogBackend& b, const auto& urls) {
             return CatalogJson::FromComponentPage(Ask<ComponentPage>([&](auto done) { b.GetComponents(filtered, done); }).second, urls);
         }},
        {"detailed component", get(QStringLiteral("/api/v1/components/detail?id=") + idText), [&](CatalogBackend& b, const auto& urls) {
             return CatalogJson::FromDetailedComponent(Ask<Detail>([&](auto done) { b.GetDetailedComponent(id, done); }).second, urls);
         }},
        {"legends", get(QStringLiteral("/api/v1/components/legends?id=") + idText), [&](CatalogBackend& b, const auto& urls) {
             return CatalogJson::FromLegends(Ask<LegendList>([&](auto done) { b.GetLegend(id, done); }).second, urls);
         }},
        {"specification",
         get(QStringLiteral("/api/v1/components/specification?id=%1&specificationId=%2")
                 .arg(idText, QString::fromStdWString(specificationId))),
         [&](CatalogBackend& b, auto) {
             return CatalogJson::FromSpecification(Ask<std::shared_ptr<ISpecification>>([&](auto done) {
                                                       b.GetSpecification(id, specificationId, done);
                                                   }).second);
         }},
        {"category properties", get(QStringLiteral("/api/v1/categories/properties?code=A0101")), [&](CatalogBackend& b, auto) {
             return CatalogJson::FromCategoryProperty(
                 Ask<std::shared_ptr<ICategoryProperty>>([&](auto done) { b.GetCategoryProperty(L"A0101", done); }).second);
         }},
        {"component file", get(QStringLiteral("/api/v1/components/file?id=") + idText), [&](CatalogBackend& b, const auto& urls) {
             return CatalogJson::FromFileUrl(Ask<std::wstring>([&](auto done) { b.GetComponentFileUrl(id, done); }).second, urls);
         }},
    };
    for (const Case& item : cases) {
        const QJsonObject expected = item.Answer(embedded, m_urls);
        QVERIFY2(item.Served.Status == 200, item.Name);
        QVERIFY2(item.Served.Header("Content-Type").startsWith("application/json"), item.Name);
        QVERIFY2(!expected.isEmpty(), item.Name);
        QVERIFY2(Json(item.Served) == expected,
                 qPrintable(QStringLiteral("%1:\nserved   %2\nembedded %3")
                                .arg(QLatin1String(item.Name), QString::fromUtf8(item.Served.Body.left(300)),
                                     QString::fromUtf8(CatalogJson::Bytes(expected).left(300)))));
        QVERIFY2(item.Answer(client, CatalogJson::UrlMap()) == expected, item.Name);
    }
    // An unknown component, named with characters a URL must escape, fails alike both ways.
    const auto unknown = [](CatalogBackend& b) {
        return QString::fromStdWString(Ask<Detail>([&](auto done) { b.GetDetailedComponent(L"NO+SUCH&ID", done); }).first);
    };
    QVERIFY(!unknown(embedded).isEmpty());
    QCOMPARE(unknown(client), unknown(embedded));
}

void tst_CatalogServer::BadRequestsAreRefusedInJson_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    const auto bad = [](const char* name, const char* path, const QByteArray& body = QByteArray(), int status = 400) {
        QTest::newRow(name) << QString::fromLatin1(path) << body << status;
    };
    const char* components = "/api/v1/components/query";
    bad("body is not JSON", components, "{\"pageSize\": 2");
    bad("body is an array", components, "[1, 2]");
    bad("page size is text", components, R"({"pageSize": "20"})");
    bad("page size is a fraction", components, R"({"pageSize": 2.5})");
    bad("page size zero", components, R"({"pageSize": 0})");
    bad("page size above the limit", components, R"({"pageSize": 100000})");
    bad("page index zero", components, R"({"pageIndex": 0})");
    bad("conditions not a list", components, R"({"conditions": {}})");
    bad("condition without a property", components, R"({"conditions": [{"valueType": 2, "operator": 1, "value": "1"}]})");
    bad("enumeration compared by size", "/api/v1/categories/query",
        R"({"conditions": [{"code": "x", "valueType": 4, "operator": 5, "value": "1"}]})");
    bad("number that is not one", components, R"({"conditions": [{"code": "x", "valueType": 2, "operator": 1, "value": "abc"}]})");
    bad("detail without an id", "/api/v1/components/detail");
    bad("detail with an empty id", "/api/v1/components/detail?id=");
    bad("specification without its id", "/api/v1/components/specification?id=GJ100001");
    bad("properties without a code", "/api/v1/categories/properties");
    bad("addition without components", "/api/v1/projects/components", R"({"projectId": "P1001"})");
    bad("addition key not a string", "/api/v1/projects/components",
        R"({"projectId": "P1001", "ids": ["GJ100001"], "requestKey": 7})");
    bad("addition key too long", "/api/v1/projects/components",
        R"({"projectId": "P1001", "ids": ["GJ100001"], "requestKey": ")" + QByteArray(101, 'k') + "\"}");
    bad("repeat check without a project", "/api/v1/projects/repeats", R"({"ids": ["GJ100001"]})");
    bad("repeat check ids not a list", "/api/v1/projects/repeats", R"({"projectId": "P1", "ids": "x"})");
    bad("project listing without a project", "/api/v1/projects/components");
    bad("request larger than allowed", components, R"({"keyword": ")" + QByteArray(70 * 1024, 'a') + "\"}", 413);
}

void tst_CatalogServer::BadRequestsAreRefusedInJson()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(int, status);

    const bool post = !body.isEmpty();
    const HttpExchange exchange = post ? HttpExchange::Post(m_manager, m_server->Url(path), body)
                                       : HttpExchange::Get(m_manager, m_server->Url(path));
    QCOMPARE(exchange.Status, status);
    QVERIFY2(!CatalogJson::ErrorMessage(Json(exchange)).isEmpty(), exchange.Body.constData());
}

void tst_CatalogServer::UnknownIdsAndEscapingPathsAre404_data()
{
    QTest::addColumn<QByteArray>("target");

    QTest::newRow("detail") << QByteArray("/api/v1/components/detail?id=NOPE");
    QTest::newRow("legends") << QByteArray("/api/v1/components/legends?id=NOPE");
    QTest::newRow("specification") << QByteArray("/api/v1/components/specification?id=GJ100001&specificationId=NOPE");
    QTest::newRow("component file") << QByteArray("/api/v1/components/file?id=NOPE");
    QTest::newRow("category properties") << QByteArray("/api/v1/categories/properties?code=NOPE");
    QTest::newRow("project") << QByteArray("/api/v1/projects/components?projectId=NOPE");
    QTest::newRow("no such endpoint") << QByteArray("/api/v1/nothing");
    QTest::newRow("no such file") << QByteArray("/catalog/files/thumbnails/NOPE.png");
    QTest::newRow("the catalog database") << QByteArray("/catalog/catalog.sqlite");
    QTest::newRow("dot dot") << QByteArray("/catalog/files/../catalog.sqlite");
    QTest::newRow("encoded dot dot") << ("/catalog/files" + QByteArray("/%2e%2e").repeated(24) + "/etc/passwd");
    QTest::newRow("absolute path") << QByteArray("/catalog//etc/passwd");
    QTest::newRow("backslashes") << QByteArray("/catalog/files%5c..%5c..%5cetc%5cpasswd");
    QTest::newRow("the folder itself") << QByteArray("/catalog/files");
}

void tst_CatalogServer::UnknownIdsAndEscapingPathsAre404()
{
    QFETCH(QByteArray, target);

    const HttpExchange exchange = HttpExchange::Raw(m_server->Port(), target);
    QCOMPARE(exchange.Status, 404);
    QVERIFY2(!CatalogJson::ErrorMessage(Json(exchange)).isEmpty(), exchange.Body.constData());
}

void tst_CatalogServer::FilesAreRevalidatedByEntityTag()
{
    // The thumbnail URL of a listed component is the server's own.
    const HttpExchange listed = HttpExchange::Post(m_manager, m_server->Url(QStringLiteral("/api/v1/components/query")),
                                                   R"({"categoryCode": "A0101", "pageSize": 2})");
    ComponentPage page;
    QVERIFY(CatalogJson::ToComponentPage(Json(listed), page, nullptr));
    QCOMPARE(int(page->Data.size()), 2);
    const QUrl first(QString::fromStdWString(page->Data[0]->ThumbnailUrl));
    const QUrl second(QString::fromStdWString(page->Data[1]->ThumbnailUrl));
    QVERIFY2(first.toString().startsWith(m_server->Url(QStringLiteral("/catalog/")).toString()),
             qPrintable(first.toString()));

    const HttpExchange fetched = HttpExchange::Get(m_manager, first);
    QCOMPARE(fetched.Status, 200);
    QCOMPARE(fetched.Header("Content-Type"), QByteArray("image/png"));
    QFile onDisk(m_embedded->CatalogFolder() + first.path().mid(QStringLiteral("/catalog").size()));
    QVERIFY(onDisk.open(QIODevice::ReadOnly));
    QCOMPARE(fetched.Body, onDisk.readAll());
    const QByteArray etag = fetched.Header("ETag");
    QVERIFY(etag.startsWith('"') && etag.size() > 8);
    QVERIFY(fetched.Header("Cache-Control").contains("no-cache"));

    const HttpExchange unchanged = HttpExchange::Get(m_manager, first, {{"If-None-Match", etag}});
    QCOMPARE(unchanged.Status, 304);
    QVERIFY(unchanged.Body.isEmpty());
    QCOMPARE(unchanged.Header("ETag"), etag);

    const HttpExchange listedTag = HttpExchange::Get(m_manager, first, {{"If-None-Match", "\"old\", W/" + etag}});
    QCOMPARE(listedTag.Status, 304);

    const HttpExchange stale = HttpExchange::Get(m_manager, first, {{"If-None-Match", "\"0123456789\""}});
    QCOMPARE(stale.Status, 200);
    QCOMPARE(stale.Body, fetched.Body);

    const HttpExchange other = HttpExchange::Get(m_manager, second, {{"If-None-Match", etag}});
    QCOMPARE(other.Status, 200);
    QVERIFY(other.Header("ETag") != etag);
}

void tst_CatalogServer::LinksOutOfTheFolderAre404()
{
    // Given a catalog folder whose files include links to a file outside it and to one inside it.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QFile::copy(CatalogServerProcess::SampleCatalog() + QStringLiteral("/catalog.sqlite"),
                        folder.filePath(QStringLiteral("catalog.sqlite"))));
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("files")));
    QTemporaryDir outside;
    const auto write = [](const QString& path, const QByteArray& data) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
    };
    const QString secret = outside.filePath(QStringLiteral("secret.png"));
    const QString inside = folder.filePath(QStringLiteral("files/inside.png"));
    QVERIFY(write(secret, "secret") && write(inside, "inside"));
    QVERIFY(QFile::link(secret, folder.filePath(QStringLiteral("files/secret.png"))));
    QVERIFY(QFile::link(inside, folder.filePath(QStringLiteral("files/alias.png"))));
    QVERIFY(QFile::link(folder.filePath(QStringLiteral("catalog.sqlite")),
                        folder.filePath(QStringLiteral("files/db.png"))));

    CatalogServerProcess server({}, folder.path());
    QVERIFY2(server.Start(), qPrintable(server.Error()));
    QCOMPARE(HttpExchange::Raw(server.Port(), "/catalog/files/secret.png").Status, 404);
    QCOMPARE(HttpExchange::Raw(server.Port(), "/catalog/files/db.png").Status, 404);
    const HttpExchange alias = HttpExchange::Raw(server.Port(), "/catalog/files/alias.png");
    QCOMPARE(alias.Status, 200);
    QCOMPARE(alias.Body, QByteArray("inside"));
    QCOMPARE(server.Stop(), 0);
}

void tst_CatalogServer::RefusesAProjectStoreOfANewerProgram()
{
    QTemporaryDir folder;
    const QString store = folder.filePath(QStringLiteral("projects.sqlite"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
        db.setDatabaseName(store);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("CREATE TABLE schema_migrations(version INTEGER PRIMARY KEY, checksum TEXT, "
                                          "applied_at TEXT)")));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO schema_migrations VALUES(99, 'x', 'later')")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("newer"));

    CatalogServerProcess server({QStringLiteral("--projects"), store});
    // It never serves, and says why.
    QVERIFY(!server.Start());
    QVERIFY2(server.Error().contains(QStringLiteral("较新的程序")), qPrintable(server.Error()));
}

// A client whose answer was lost sends the addition again under its key: the
// server answers the copies it made and makes no more; a new key adds again.
void tst_CatalogServer::AnAdditionSentAgainIsAnsweredAsBefore()
{
    // The server's project store outlives a run: keys of this run only.
    const QString run = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const auto add = [this, run](const char* key) {
        const std::wstring unique = (run + QLatin1String(key)).toStdWString();
        const QByteArray body = CatalogJson::Bytes(CatalogJson::FromProjectRequest(L"P1003", {L"GJ100001"}, unique));
        return HttpExchange::Post(m_manager, m_server->Url(QStringLiteral("/api/v1/projects/components")), body);
    };
    const auto count = [this] {
        return Json(HttpExchange::Get(m_manager, m_server->Url(QStringLiteral("/api/v1/projects/components?projectId=P1003"))))
            .value(QStringLiteral("components")).toArray().size();
    };
    const int before = count();
    const HttpExchange first = add("lost-answer");
    QCOMPARE(first.Status, 200);
    const HttpExchange again = add("lost-answer");
    QCOMPARE(again.Status, 200);
    QCOMPARE(again.Body, first.Body);
    QCOMPARE(count(), before + 1);
    const HttpExchange other = add("another-addition");
    QVERIFY(other.Body != first.Body);
    QCOMPARE(count(), before + 2);
}

QTEST_MAIN(tst_CatalogServer)
#include "tst_CatalogServer.moc"
