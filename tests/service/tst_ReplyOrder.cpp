#include "AwaitReply.h"
#include "CatalogQuery.h"
#include "HostNetworkDetector.h"
#include "ProjectCloudComponentService.h"
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

using Reply = std::unique_ptr<CustomReply<ComponentPage>>;

Reply Search(const std::wstring& keyword)
{
    return Reply(PublicComponentService::Get()->GetComponents(L"S", L"1", L"", keyword, 1, 20, -1, {}));
}

// Delivers everything already on its way, so that "nothing finished" is not a race.
void Settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QString Names(const ComponentPage& page)
{
    return page && !page->Data.empty() ? QString::fromStdWString(page->Data.front()->Name) : QString();
}

} // namespace

// How replies reach their callers whatever the backend does: later, once, on
// the caller's thread, and those of one kind from one caller in the order they
// were asked for; work made pointless by a newer browsing request is not run.
class tst_ReplyOrder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void slowThenFastSearchFinishesInRequestOrder();
    void aDeletedReplyDoesNotBlockTheNextOnes();
    void supersededWorkIsNotRunAndFinishesJustBeforeTheNewer();
    void fileRequestsAreNeverSuperseded();
    void keywordAndConditionValuesReachTheBackendClean();
    void anAnswerGivenInsideTheCallStillFinishesLater();
    void anAnswerFromAnotherThreadFinishesOnTheCallersThread();
    void aFailedTreeKeepsTheCategoryCache();
    void offlineRequestsNeverReachTheBackend();
    void noBackendIsAnError();

private:
    // Records the order in which replies finish, by label.
    template <class T>
    void Track(CustomReply<T>* reply, const QString& label)
    {
        connect(reply, &CustomReplyBase::Finished, this, [this, label] { m_finished << label; });
    }

    std::shared_ptr<test::ScriptedCatalogBackend> m_backend;
    QStringList m_finished;
};

void tst_ReplyOrder::init()
{
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Online);
    m_backend = test::MakeSampleBackend(10);
    m_backend->Held = true;
    CatalogBackend::Install(m_backend);
    m_finished.clear();
}

void tst_ReplyOrder::cleanup()
{
    CatalogBackend::Install(nullptr);
    m_backend.reset();
}

void tst_ReplyOrder::slowThenFastSearchFinishesInRequestOrder()
{
    // Given two searches both running, the first slower than the second,
    Reply slow = Search(L"木门");
    QVERIFY(m_backend->ComponentRequests[0].Start());
    Reply fast = Search(L"铝窗");
    QVERIFY(m_backend->ComponentRequests[1].Start());
    Track(slow.get(), QStringLiteral("slow"));
    Track(fast.get(), QStringLiteral("fast"));

    // when the second is answered first, it waits for the first,
    m_backend->ReleaseComponents(1);
    Settle();
    QVERIFY(m_finished.isEmpty());

    // and both finish in request order, each with its own answer.
    m_backend->ReleaseComponents(0);
    QTRY_COMPARE(m_finished, (QStringList{"slow", "fast"}));
    QVERIFY(slow->Error().empty() && fast->Error().empty());
    QCOMPARE(Names(slow->Result()), QStringLiteral("木门0"));
    QCOMPARE(Names(fast->Result()), QStringLiteral("铝窗1"));

    // Other kinds keep their own order: a tree answered now is not held up by searches.
    Reply next = Search(L"");
    QVERIFY(m_backend->ComponentRequests[2].Start());
    std::unique_ptr<CustomReply<CategoryList>> tree(
        PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", L"", {}));
    m_backend->ReleaseCategories(0);
    QTRY_VERIFY(tree->IsFinished());
    QVERIFY(!next->IsFinished());
}

void tst_ReplyOrder::aDeletedReplyDoesNotBlockTheNextOnes()
{
    // Each is taken up by a worker as soon as it is asked.
    const auto started = [this](const wchar_t* keyword) {
        Reply reply = Search(keyword);
        m_backend->ComponentRequests.back().Start();
        return reply;
    };
    Reply first = started(L"木门");
    Reply second = started(L"铝窗");
    Reply third = started(L"");
    Track(second.get(), QStringLiteral("second"));
    Track(third.get(), QStringLiteral("third"));

    // Answered after the first, they wait; deleting the first lets them go.
    m_backend->ReleaseComponents(2);
    m_backend->ReleaseComponents(1);
    Settle();
    QVERIFY(m_finished.isEmpty());
    first.reset();
    QTRY_COMPARE(m_finished, (QStringList{"second", "third"}));

    // Its late answer touches nothing.
    m_backend->ReleaseComponents(0);
    Settle();
    QCOMPARE(m_finished.size(), 2);

    // A waiting reply deleted before the one ahead of it answers leaves no gap either.
    Reply fourth = started(L"木门");
    Reply fifth = started(L"铝窗");
    Reply sixth = started(L"");
    Track(sixth.get(), QStringLiteral("sixth"));
    m_backend->ReleaseComponents(5);
    fifth.reset();
    m_backend->ReleaseComponents(3);
    QTRY_COMPARE(m_finished.size(), 3);
    QVERIFY(fourth->IsFinished());
}

void tst_ReplyOrder::supersededWorkIsNotRunAndFinishesJustBeforeTheNewer()
{
    // Given a search already running and another waiting for a worker,
    Reply running = Search(L"");
    QVERIFY(m_backend->ComponentRequests[0].Start());
    Reply queued = Search(L"木门");
    Track(running.get(), QStringLiteral("running"));
    Track(queued.get(), QStringLiteral("queued"));

    // when a newer search comes, the waiting one is cancelled, the running one is not.
    Reply newest = Search(L"铝窗");
    Track(newest.get(), QStringLiteral("newest"));
    QVERIFY(!m_backend->ComponentRequests[0].IsCancelled());
    QVERIFY(m_backend->ComponentRequests[1].IsCancelled());
    QVERIFY(!m_backend->ComponentRequests[1].Start());
    QVERIFY(!m_backend->ComponentRequests[2].IsCancelled());

    // The running one finishes with its answer; the cancelled one waits for the newest,
    m_backend->ReleaseComponents(0);
    QTRY_COMPARE(m_finished, QStringList{"running"});
    QVERIFY(running->Error().empty());
    Settle();
    QCOMPARE(m_finished, QStringList{"running"});

    // and finishes with an error just before it, in the same turn of the event loop.
    bool turnEnded = false;
    connect(queued.get(), &CustomReplyBase::Finished, this, [&] {
        QMetaObject::invokeMethod(this, [&] { turnEnded = true; }, Qt::QueuedConnection);
    });
    bool sameTurn = false;
    connect(newest.get(), &CustomReplyBase::Finished, this, [&] { sameTurn = !turnEnded; });
    m_backend->ReleaseComponents(2);
    QTRY_COMPARE(m_finished, (QStringList{"running", "queued", "newest"}));
    QVERIFY(sameTurn);
    QVERIFY(!queued->Error().empty());
    QVERIFY(newest->Error().empty());
    QCOMPARE(Names(newest->Result()), QStringLiteral("铝窗1"));
}

void tst_ReplyOrder::fileRequestsAreNeverSuperseded()
{
    // A batch asks for many files at once and needs every answer.
    m_backend->FileUrls = {{L"C0000", L"file:///a"}, {L"C0001", L"file:///b"}, {L"C0002", L"file:///c"}};
    std::vector<std::unique_ptr<CustomReply<std::wstring>>> replies;
    for (const wchar_t* id : {L"C0000", L"C0001", L"C0002"}) {
        replies.emplace_back(PublicComponentService::Get()->GetComponentFileUrl(id));
    }
    QCOMPARE(int(m_backend->FileRequests.size()), 3);
    for (const auto& request : m_backend->FileRequests) {
        QVERIFY(!request.IsCancelled());
    }
    m_backend->ReleaseFile(2);
    m_backend->ReleaseFile(0);
    m_backend->ReleaseFile(1);
    QTRY_VERIFY(replies[2]->IsFinished());
    QCOMPARE(replies[0]->Result(), std::wstring(L"file:///a"));
    QCOMPARE(replies[1]->Result(), std::wstring(L"file:///b"));
    QCOMPARE(replies[2]->Result(), std::wstring(L"file:///c"));
}

void tst_ReplyOrder::keywordAndConditionValuesReachTheBackendClean()
{
    const std::wstring dirty = std::wstring(L"\uFEFF 木\0门\t", 6) + L"\u0007\u3000";
    using C = ConditionFilterOption;
    const auto condition = test::Condition(QStringLiteral("WIDTH"), C::Between, C::Number, QString(),
                                           QStringLiteral("\uFEFF800"), QStringLiteral("1000") + QChar(0));
    // Set as it is: a QString made from it would lose the leading byte order mark.
    condition->SetValue(dirty);
    Reply reply(PublicComponentService::Get()->GetComponents(L"S", L"1", L"", dirty, 1, 20, -1, {condition, nullptr}));
    std::unique_ptr<CustomReply<CategoryList>> tree(
        PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", dirty, {condition}));

    const ComponentQuery& asked = m_backend->ComponentRequests.back().Asked;
    QCOMPARE(asked.Keyword, std::wstring(L"木门"));
    QCOMPARE(m_backend->CategoryRequests.back().Asked.Keyword, std::wstring(L"木门"));
    QCOMPARE(int(asked.Filters.size()), 1);
    QCOMPARE(asked.Filters[0]->Value(), std::wstring(L"木门"));
    QCOMPARE(asked.Filters[0]->FromValue(), std::wstring(L"800"));
    QCOMPARE(asked.Filters[0]->ToValue(), std::wstring(L"1000"));
    QCOMPARE(asked.Filters[0]->Code(), std::wstring(L"WIDTH"));
    QCOMPARE(asked.Filters[0]->Operator, ConditionFilterOption::Between);
    // The page's own condition, shown to the user, stays as it was.
    QCOMPARE(condition->Value(), dirty);
}

void tst_ReplyOrder::anAnswerGivenInsideTheCallStillFinishesLater()
{
    m_backend->Held = false;
    Reply reply = Search(L"");
    QSignalSpy finished(reply.get(), &CustomReplyBase::Finished);
    // The backend has answered already; the reply has not finished yet.
    QCOMPARE(int(m_backend->ComponentRequests.size()), 1);
    QVERIFY(!reply->IsFinished());
    QVERIFY(finished.wait());
    // A second answer to the same request changes nothing.
    m_backend->ComponentRequests[0].Answer(L"late failure", nullptr);
    QCoreApplication::processEvents();
    QCOMPARE(finished.count(), 1);
    QVERIFY(reply->Error().empty());
    QCOMPARE(reply->Result()->Total, qint64(10));
}

void tst_ReplyOrder::anAnswerFromAnotherThreadFinishesOnTheCallersThread()
{
    Reply reply = Search(L"");
    QThread* finishedOn = nullptr;
    connect(reply.get(), &CustomReplyBase::Finished, this, [&] { finishedOn = QThread::currentThread(); });
    std::thread worker([this] { m_backend->ComponentRequests[0].Answer(L"磁盘错误", nullptr); });
    worker.join();
    QTRY_VERIFY(reply->IsFinished());
    QCOMPARE(finishedOn, QThread::currentThread());
    QCOMPARE(QString::fromStdWString(reply->Error()), QStringLiteral("磁盘错误"));
    QVERIFY(!reply->Result());
}

void tst_ReplyOrder::aFailedTreeKeepsTheCategoryCache()
{
    auto* service = PublicCategoryService::Get();
    const auto tree = [service] {
        return std::unique_ptr<CustomReply<CategoryList>>(service->GetCategories(L"S", L"1", L"", L"", {}));
    };
    auto first = tree();
    m_backend->ReleaseCategories(0);
    QTRY_VERIFY(first->IsFinished());
    QVERIFY(service->GetCategoryByCode(L"DOORS"));

    auto failed = tree();
    m_backend->CategoryRequests[1].Answer(L"服务器错误", {});
    QTRY_VERIFY(failed->IsFinished());
    QVERIFY(!failed->Error().empty());
    QVERIFY(service->GetCategoryByCode(L"DOORS"));

    // A new tree replaces the old one entirely.
    m_backend->Categories.pop_back();
    auto smaller = tree();
    m_backend->ReleaseCategories(2);
    QTRY_VERIFY(smaller->IsFinished());
    QVERIFY(service->GetCategoryByCode(L"DOORS"));
    QVERIFY(!service->GetCategoryByCode(L"WINDOWS"));
}

void tst_ReplyOrder::offlineRequestsNeverReachTheBackend()
{
    HostNetworkDetector::Get()->SetState(HostNetworkDetector::Offline);
    m_backend->Held = false;
    Reply components = Search(L"");
    QVERIFY(!components->IsFinished());
    const std::wstring offline = OfflineErrorText();
    QCOMPARE(test::Wait(components.release()).Error, offline);
    auto* service = PublicComponentService::Get();
    QCOMPARE(test::Wait(PublicCategoryService::Get()->GetCategories(L"S", L"1", L"", L"", {})).Error, offline);
    QCOMPARE(test::Wait(service->GetDetailedComponent(L"S", L"1", L"C0000")).Error, offline);
    QCOMPARE(test::Wait(service->GetLegend(L"S", L"1", L"C0000")).Error, offline);
    QCOMPARE(test::Wait(service->GetSpecification(L"S", L"1", L"C0000", L"S1")).Error, offline);
    QCOMPARE(test::Wait(service->GetComponentFileUrl(L"C0000")).Error, offline);
    QCOMPARE(test::Wait(PropertyService::Get()->GetCategoryProperty(L"S", L"1", L"DOORS", true)).Error, offline);
    const auto added = test::Wait(ProjectCloudComponentService::Get()->AddComponentFromPublic(L"P1001", {L"C0000"}));
    QVERIFY(!added.FinishedInsideCall);
    QCOMPARE(added.Error, offline);
    QCOMPARE(int(m_backend->RequestCount() + m_backend->Added.size()), 0);
}

void tst_ReplyOrder::noBackendIsAnError()
{
    CatalogBackend::Install(nullptr);
    Reply reply = Search(L"");
    QSignalSpy finished(reply.get(), &CustomReplyBase::Finished);
    QVERIFY(finished.wait());
    QVERIFY(!reply->Error().empty());
}

QTEST_GUILESS_MAIN(tst_ReplyOrder)
#include "tst_ReplyOrder.moc"
