#include "HostNetworkDetector.h"
#include "PropertyService.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "ScriptedCatalogBackend.h"
#include "ServiceRequest.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <memory>
#include <thread>

using namespace vela;

namespace {

CustomReply<ComponentPage>* Query(const std::wstring& keyword)
{
    return PublicComponentService::Get()->GetComponents(L"S", L"1", L"", keyword, 1, 20, -1, {});
}

} // namespace

// How replies reach their callers whatever the backend does: later, once,
// on the caller's thread (their order is tst_ReplyOrder's subject).
class tst_ServiceReplies : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void anAnswerGivenInsideTheCallStillFinishesLater();
    void anAnswerFromAnotherThreadFinishesOnTheCallersThread();
    void aDeletedReplyIgnoresItsLateAnswer();
    void aFailedTreeKeepsTheCategoryCache();
    void offlineRequestsNeverReachTheBackend();
    void noBackendIsAnError();

private:
    std::shared_ptr<test::ScriptedCatalogBackend> m_backend;
};

void tst_ServiceReplies::init()
{
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
    m_backend = test::MakeSampleBackend(10);
    m_backend->Held = true;
    CatalogBackend::Install(m_backend);
}

void tst_ServiceReplies::cleanup()
{
    CatalogBackend::Install(nullptr);
    m_backend.reset();
}

void tst_ServiceReplies::anAnswerGivenInsideTheCallStillFinishesLater()
{
    m_backend->Held = false;
    std::unique_ptr<CustomReply<ComponentPage>> reply(Query(L""));
    QSignalSpy finished(reply.get(), &CustomReplyBase::Finished);
    // The backend has answered already; the reply has not finished yet.
    QCOMPARE(int(m_backend->ComponentRequests.size()), 1);
    QVERIFY(!reply->IsFinished());
    QCOMPARE(finished.count(), 0);
    QVERIFY(finished.wait());
    // A second answer to the same request changes nothing.
    m_backend->ComponentRequests[0].Answer(L"late failure", nullptr);
    QCoreApplication::processEvents();
    QCOMPARE(finished.count(), 1);
    QVERIFY(reply->Error().empty());
    QCOMPARE(reply->Result()->Total, qint64(10));
}

void tst_ServiceReplies::anAnswerFromAnotherThreadFinishesOnTheCallersThread()
{
    std::unique_ptr<CustomReply<ComponentPage>> reply(Query(L""));
    QThread* finishedOn = nullptr;
    connect(reply.get(), &CustomReplyBase::Finished, this, [&] { finishedOn = QThread::currentThread(); });
    std::thread worker([this] { m_backend->ComponentRequests[0].Answer(L"磁盘错误", nullptr); });
    worker.join();
    QTRY_VERIFY(reply->IsFinished());
    QCOMPARE(finishedOn, QThread::currentThread());
    QCOMPARE(QString::fromStdWString(reply->Error()), QStringLiteral("磁盘错误"));
    QVERIFY(!reply->Result());
}

void tst_ServiceReplies::aDeletedReplyIgnoresItsLateAnswer()
{
    CustomReply<ComponentPage>* reply = Query(L"");
    QSignalSpy destroyed(reply, &QObject::destroyed);
    delete reply;
    QCOMPARE(destroyed.count(), 1);
    m_backend->ReleaseComponents(0);
    QCoreApplication::processEvents();
    // Nothing to check but that nothing was touched: the next request works.
    std::unique_ptr<CustomReply<ComponentPage>> next(Query(L""));
    QSignalSpy finished(next.get(), &CustomReplyBase::Finished);
    m_backend->ReleaseComponents(1);
    QVERIFY(finished.wait());
}

void tst_ServiceReplies::aFailedTreeKeepsTheCategoryCache()
{
    auto* service = PublicCategoryService::Get();
    std::unique_ptr<CustomReply<CategoryList>> first(service->GetCategories(L"S", L"1", L"", L"", {}));
    m_backend->ReleaseCategories(0);
    QTRY_VERIFY(first->IsFinished());
    QVERIFY(service->GetCategoryByCode(L"DOORS"));

    std::unique_ptr<CustomReply<CategoryList>> failed(service->GetCategories(L"S", L"1", L"", L"", {}));
    m_backend->CategoryRequests[1].Answer(L"服务器错误", {});
    QTRY_VERIFY(failed->IsFinished());
    QVERIFY(!failed->Error().empty());
    QVERIFY(service->GetCategoryByCode(L"DOORS"));

    // A new tree replaces the old one entirely.
    m_backend->Categories.pop_back();
    std::unique_ptr<CustomReply<CategoryList>> smaller(service->GetCategories(L"S", L"1", L"", L"", {}));
    m_backend->ReleaseCategories(2);
    QTRY_VERIFY(smaller->IsFinished());
    QVERIFY(service->GetCategoryByCode(L"DOORS"));
    QVERIFY(!service->GetCategoryByCode(L"WINDOWS"));
}

void tst_ServiceReplies::offlineRequestsNeverReachTheBackend()
{
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Offline);
    std::unique_ptr<CustomReply<ComponentPage>> components(Query(L""));
    std::unique_ptr<CustomReply<std::shared_ptr<ICategoryProperty>>> properties(
        PropertyService::Get()->GetCategoryProperty(L"S", L"1", L"DOORS", true));
    QVERIFY(!components->IsFinished());
    QTRY_VERIFY(components->IsFinished() && properties->IsFinished());
    QCOMPARE(components->Error(), std::wstring(OfflineErrorText()));
    QCOMPARE(properties->Error(), std::wstring(OfflineErrorText()));
    QCOMPARE(int(m_backend->RequestCount()), 0);
}

void tst_ServiceReplies::noBackendIsAnError()
{
    CatalogBackend::Install(nullptr);
    std::unique_ptr<CustomReply<ComponentPage>> reply(Query(L""));
    QSignalSpy finished(reply.get(), &CustomReplyBase::Finished);
    QVERIFY(finished.wait());
    QVERIFY(!reply->Error().empty());
}

QTEST_GUILESS_MAIN(tst_ServiceReplies)
#include "tst_ServiceReplies.moc"
