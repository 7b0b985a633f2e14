#include "LoadMultiFromPublicIntoDocumentWorkflow.h"

#include "ComponentFileFetcher.h"
#include "ComponentFileLoader.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace vela {

namespace {
// Loading yields to the event loop after this long, so the window keeps painting.
constexpr qint64 LoadSliceMs = 8;
} // namespace

LoadMultiFromPublicIntoDocumentWorkflow* LoadMultiFromPublicIntoDocumentWorkflow::Create(
    const std::vector<PublicComponentWorkflowArgument>& arguments, QObject* parent)
{
    return new LoadMultiFromPublicIntoDocumentWorkflow(arguments, parent);
}

LoadMultiFromPublicIntoDocumentWorkflow::LoadMultiFromPublicIntoDocumentWorkflow(
    const std::vector<PublicComponentWorkflowArgument>& arguments, QObject* parent)
    : WorkflowBase(parent)
    , m_arguments(arguments)
{
}

const std::vector<WorkflowFailure>& LoadMultiFromPublicIntoDocumentWorkflow::Failures() const
{
    return m_failures;
}

void LoadMultiFromPublicIntoDocumentWorkflow::InternalProceed()
{
    if (m_arguments.empty()) {
        FinishFailed(L"全部失败");
        return;
    }
    for (const PublicComponentWorkflowArgument& argument : m_arguments) {
        m_targets.push_back(ComponentFileLoader::ResolveDocument(argument.DocumentId));
    }
    if (std::none_of(m_targets.begin(), m_targets.end(), [](tarn::RuntimeId id) { return id.IsValid(); })) {
        Finish(false, tr("没有打开的文档").toStdWString());
        return;
    }

    m_files.resize(m_arguments.size());
    emit Progress(0.0f, static_cast<float>(m_arguments.size()));
    for (size_t i = 0; i < m_arguments.size(); ++i) {
        auto* fetcher = new ComponentFileFetcher(this);
        connect(fetcher, &ComponentFileFetcher::Fetched, this,
                [this, i](const QString&, std::shared_ptr<const tarn::ComponentFile> file) {
                    ItemDownloaded(i, std::move(file));
                });
        connect(fetcher, &ComponentFileFetcher::Failed, this, [this, i](const QString& message, const QString& reason) {
            ItemFailed(i, message.toStdWString(), reason.toStdWString());
            ItemDownloaded(i, nullptr);
        });
        fetcher->Fetch(m_arguments[i].ComponentId);
    }
}

void LoadMultiFromPublicIntoDocumentWorkflow::ItemDownloaded(size_t index, std::shared_ptr<const tarn::ComponentFile> file)
{
    m_files[index] = std::move(file);
    ++m_downloaded;
    emit Progress(static_cast<float>(m_downloaded), static_cast<float>(m_arguments.size()));
    if (m_downloaded < m_arguments.size() || m_loading) {
        return;
    }
    if (std::none_of(m_files.begin(), m_files.end(), [](const auto& f) { return f != nullptr; })) {
        FinishFailed(L"全部失败");
        return;
    }
    m_loading = true;
    emit Report(L"即将触发批量载入命令");
    QTimer::singleShot(0, this, [this] { LoadSome(); });
}

void LoadMultiFromPublicIntoDocumentWorkflow::LoadSome()
{
    QElapsedTimer slice;
    slice.start();
    while (m_nextToLoad < m_arguments.size() && slice.elapsed() < LoadSliceMs) {
        const size_t i = m_nextToLoad++;
        if (!m_files[i]) {
            continue;
        }
        const ComponentFileLoader::Outcome outcome =
            ComponentFileLoader::Load(m_targets[i], m_files[i], m_arguments[i].LoadOptions.get());
        m_files[i].reset();
        if (!outcome.Error.empty()) {
            ItemFailed(i, outcome.Error, WorkflowFailure::LoadReason(outcome.Error));
        }
    }
    if (m_nextToLoad < m_arguments.size()) {
        QTimer::singleShot(0, this, [this] { LoadSome(); });
        return;
    }
    FinishBatch();
}

void LoadMultiFromPublicIntoDocumentWorkflow::ItemFailed(size_t index, const std::wstring& message,
                                                         const std::wstring& reason)
{
    WorkflowFailure failure;
    failure.Index = static_cast<int>(index);
    failure.ComponentId = m_arguments[index].ComponentId;
    failure.ComponentName = m_arguments[index].ComponentName;
    failure.Reason = reason.empty() ? tr("载入失败").toStdWString() : reason;
    failure.Message = message;
    m_failures.push_back(std::move(failure));
}

void LoadMultiFromPublicIntoDocumentWorkflow::FinishBatch()
{
    if (m_failures.empty()) {
        Finish(true, std::wstring());
    } else {
        FinishFailed(m_failures.size() == m_arguments.size() ? L"全部失败" : L"部分失败");
    }
}

// The message stays the bare "全部失败"/"部分失败" that callers compare; which
// components failed and why is in Failures(), the full messages go to the log.
void LoadMultiFromPublicIntoDocumentWorkflow::FinishFailed(const std::wstring& message)
{
    // Downloads finish in any order; the user reads the list in the order they checked.
    std::stable_sort(m_failures.begin(), m_failures.end(),
                     [](const WorkflowFailure& a, const WorkflowFailure& b) { return a.Index < b.Index; });
    std::wstring detail;
    for (const WorkflowFailure& failure : m_failures) {
        detail += (detail.empty() ? L"" : L"; ") + failure.ComponentId + L" \"" + failure.ComponentName + L"\": "
                  + failure.Message;
    }
    Fail(message, std::wstring(), detail);
}

} // namespace vela
