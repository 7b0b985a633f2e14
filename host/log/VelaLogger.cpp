#include "VelaLogger.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutexLocker>

#include <atomic>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace vela {

namespace {
std::atomic<IVelaLogger*> s_logger{nullptr};
constexpr int MaxKeptLines = 500;

// One category per name for the whole process: Qt keeps a registry of live
// categories and applies the logging rules to each as it is created.
const QLoggingCategory& CategoryNamed(const char* name)
{
    static QMutex s_mutex;
    static std::map<std::string, std::unique_ptr<QLoggingCategory>> s_categories;
    QMutexLocker lock(&s_mutex);
    std::unique_ptr<QLoggingCategory>& category = s_categories[name];
    if (!category) {
        // The map's key stays put while the entry lives, so the category may keep its pointer.
        category = std::make_unique<QLoggingCategory>(s_categories.find(name)->first.c_str());
    }
    return *category;
}

void WriteToMessageOutput(QtMsgType type, const char* categoryName, const QString& text)
{
    const QLoggingCategory& category = CategoryNamed(categoryName);
    if (!category.isEnabled(type)) {
        return;
    }
    const QMessageLogger logger(nullptr, 0, nullptr, category.categoryName());
    const QByteArray utf8 = text.toUtf8();
    switch (type) {
    case QtDebugMsg:
        logger.debug("%s", utf8.constData());
        break;
    case QtInfoMsg:
        logger.info("%s", utf8.constData());
        break;
    case QtWarningMsg:
        logger.warning("%s", utf8.constData());
        break;
    default:
        logger.critical("%s", utf8.constData());
        break;
    }
}

} // namespace

IVelaLogger* IVelaLogger::Get()
{
    return s_logger.load();
}

void IVelaLogger::Install(IVelaLogger* logger)
{
    s_logger.store(logger);
}

VelaLogger::VelaLogger(const QString& filePath, bool echo)
    : m_echo(echo)
{
    if (!filePath.isEmpty()) {
        QDir().mkpath(QFileInfo(filePath).absolutePath());
        m_file.setFileName(filePath);
        if (!m_file.open(QIODevice::Append | QIODevice::Text)) {
            std::fprintf(stderr, "cannot open log file %s\n", qPrintable(filePath));
        }
    }
}

VelaLogger::~VelaLogger()
{
    if (IVelaLogger::Get() == this) {
        IVelaLogger::Install(nullptr);
    }
}

void VelaLogger::Trace(VelaLogObject& object) { Write(QtDebugMsg, "TRACE", object); }
void VelaLogger::Error(VelaLogObject& object) { Write(QtCriticalMsg, "ERROR", object); }
void VelaLogger::Warning(VelaLogObject& object) { Write(QtWarningMsg, "WARN", object); }
void VelaLogger::Info(VelaLogObject& object) { Write(QtInfoMsg, "INFO", object); }

QStringList VelaLogger::Lines() const
{
    QMutexLocker lock(&m_mutex);
    return m_lines;
}

void VelaLogger::ClearLines()
{
    QMutexLocker lock(&m_mutex);
    m_lines.clear();
}

void VelaLogger::Write(QtMsgType type, const char* level, const VelaLogObject& object)
{
    const QString line = QLatin1String(level) + QLatin1Char(' ') + object.Text();
    const QByteArray stamped = (QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + QLatin1Char(' ') + line).toUtf8();
    QMutexLocker lock(&m_mutex);
    m_lines.append(line);
    if (m_lines.size() > MaxKeptLines) {
        m_lines.removeFirst();
    }
    if (m_file.isOpen()) {
        m_file.write(stamped + '\n');
        m_file.flush();
    }
    lock.unlock();
    // Outside the lock: a message handler may log again.
    if (m_echo) {
        WriteToMessageOutput(type, object.Category(), object.Text());
    }
}

} // namespace vela
