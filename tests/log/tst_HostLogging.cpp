#include "PlazaAnalyzeService.h"
#include "VelaLogger.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace vela;

namespace {

struct Message
{
    QtMsgType Type;
    QString Category;
    QString Text;
};

QVector<Message> s_messages;

void Capture(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    s_messages.append({type, QString::fromLatin1(context.category), text});
}

} // namespace

class tst_HostLogging : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        s_messages.clear();
        qInstallMessageHandler(Capture);
    }
    void cleanup()
    {
        qInstallMessageHandler(nullptr);
        QLoggingCategory::setFilterRules(QString());
    }

    void linesReachTheMessageOutputUnderTheirLibrarysCategory_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("type");
        QTest::newRow("trace is debug") << 0 << int(QtDebugMsg);
        QTest::newRow("info") << 1 << int(QtInfoMsg);
        QTest::newRow("warning") << 2 << int(QtWarningMsg);
        QTest::newRow("error is critical") << 3 << int(QtCriticalMsg);
    }
    void linesReachTheMessageOutputUnderTheirLibrarysCategory()
    {
        QFETCH(int, level);
        QFETCH(int, type);
        VelaLogger logger;
        VelaLogObject line(QStringLiteral("缩略图 42"));
        const std::function<void()> write[] = {[&] { logger.Trace(line); }, [&] { logger.Info(line); },
                                                [&] { logger.Warning(line); }, [&] { logger.Error(line); }};
        write[level]();

        QCOMPARE(s_messages.size(), 1);
        QCOMPARE(int(s_messages[0].Type), type);
        QCOMPARE(s_messages[0].Category, QStringLiteral("vela.test"));
        QCOMPARE(s_messages[0].Text, QStringLiteral("缩略图 42"));
    }

    // Given rules that silence one library's trace, its trace lines still reach the log
    // file while the other libraries and levels keep speaking.
    void loggingRulesChooseWhatTheMessageOutputShows()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("host.log"));
        QLoggingCategory::setFilterRules(QStringLiteral("vela.test.debug=false"));
        {
            VelaLogger logger(file);
            VelaLogObject silenced(QStringLiteral("hidden trace"));
            VelaLogObject warning(QStringLiteral("shown warning"));
            VelaLogObject otherLibrary(QStringLiteral("other trace"), "vela.workflow");
            logger.Trace(silenced);
            logger.Warning(warning);
            logger.Trace(otherLibrary);
        }
        QStringList shown;
        for (const Message& message : s_messages) {
            shown.append(message.Category + QLatin1Char(' ') + message.Text);
        }
        QCOMPARE(shown, QStringList({QStringLiteral("vela.test shown warning"),
                                     QStringLiteral("vela.workflow other trace")}));
        QFile log(file);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("TRACE hidden trace"));
    }

    void analyticsLinesCarryAnIsoTimestamp()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("events.jsonl"));
        const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-1);
        {
            PlazaAnalyzeService analytics(file);
            analytics.Track(L"Plaza_Load", QJsonObject{{QStringLiteral("count"), 2}});
        }
        const QDateTime after = QDateTime::currentDateTimeUtc().addMSecs(1);
        QFile events(file);
        QVERIFY(events.open(QIODevice::ReadOnly));
        const QJsonObject line = QJsonDocument::fromJson(events.readLine()).object();
        QCOMPARE(line.value(QStringLiteral("event")).toString(), QStringLiteral("Plaza_Load"));
        const QDateTime time = QDateTime::fromString(line.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
        QVERIFY2(time.isValid() && time.timeSpec() == Qt::UTC, qPrintable(line.value(QStringLiteral("time")).toString()));
        QVERIFY(before <= time && time <= after);
    }
};

QTEST_GUILESS_MAIN(tst_HostLogging)
#include "tst_HostLogging.moc"
