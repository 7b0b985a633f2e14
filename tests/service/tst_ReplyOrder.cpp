#include "HostNetworkDetector.h"
#include "PropertyService.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "ScriptedCatalogBackend.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

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

std::shared_ptr<ConditionFilterOption> Condition(const std::wstring& value, const std::wstring& from,
                                                 const std::wstring& to)
{
    auto option = std::make_shared<ConditionFilterOption>();
    option->SetCode(L"WIDTH");
    option->SetValue(value);
    option->SetFromValue(from);
    option->SetToValue(to);
    option->Operator = ConditionFilterOption::Between;
    option->ValueType = ConditionFilterOption::Number;
    return option;
}

} // namespace

// Replies of one kind from one caller finish in the order they were asked
// for, and work made pointless by a newer browsing request is not run.
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
    const auto condition = Condition(dirty, L"\uFEFF800", std::wstring(L"1000\0", 5));
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

QTEST_GUILESS_MAIN(tst_ReplyOrder)
#include "tst_ReplyOrder.moc"
