#include "WorkflowBase.h"

#include "IVelaLogger.h"

#include <QTimer>

namespace vela {

WorkflowBase::WorkflowBase(QObject* parent)
    : QObject(parent)
{
}

void WorkflowBase::Proceed(bool start)
{
    if (!start || m_started) {
        return;
    }
    m_started = true;
    QTimer::singleShot(0, this, [this] { InternalProceed(); });
}

const std::wstring& WorkflowBase::SubjectId() const
{
    return m_subjectId;
}

const std::wstring& WorkflowBase::SubjectName() const
{
    return m_subjectName;
}

std::wstring WorkflowBase::FailureReason() const
{
    if (!m_failed) {
        return std::wstring();
    }
    return m_failureReason.empty() ? tr("载入失败").toStdWString() : m_failureReason;
}

void WorkflowBase::SetSubject(const std::wstring& id, const std::wstring& name)
{
    m_subjectId = id;
    m_subjectName = name;
}

void WorkflowBase::Finish(bool success, const std::wstring& message)
{
    Complete(success, message, std::wstring(), std::wstring());
}

void WorkflowBase::Fail(const std::wstring& message, const std::wstring& reason, const std::wstring& logDetail)
{
    Complete(false, message, reason, logDetail);
}

void WorkflowBase::Complete(bool success, const std::wstring& message, const std::wstring& reason,
                            const std::wstring& logDetail)
{
    if (m_finished) {
        return;
    }
    m_finished = true;
    if (!success) {
        m_failed = true;
        m_failureReason = reason;
        LogFailure(message, logDetail);
    }
    emit Finished(success, message);
    deleteLater();
}

// One line per failed workflow, so a user's report can be matched with its cause.
void WorkflowBase::LogFailure(const std::wstring& message, const std::wstring& logDetail) const
{
    IVelaLogger* logger = IVelaLogger::Get();
    if (!logger) {
        return;
    }
    QString text = QStringLiteral("%1 failed").arg(QString::fromLatin1(metaObject()->className()));
    if (!m_subjectId.empty() || !m_subjectName.empty()) {
        text += QStringLiteral(", component %1 \"%2\"")
                    .arg(QString::fromStdWString(m_subjectId), QString::fromStdWString(m_subjectName));
    }
    text += QStringLiteral(": ") + QString::fromStdWString(message);
    if (!m_failureReason.empty()) {
        text += QStringLiteral(" [") + QString::fromStdWString(m_failureReason) + QLatin1Char(']');
    }
    if (!logDetail.empty()) {
        text += QStringLiteral("; ") + QString::fromStdWString(logDetail);
    }
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    VelaLogObject line(text);
    // A question the user cancelled is no fault, but its trace still helps.
    if (message == L"操作取消") {
        logger->Info(line);
    } else {
        logger->Warning(line);
    }
}

} // namespace vela
