#pragma once

#include <QDir>
#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

namespace plazahost {

class HostMainWindow;

// A scripted session through the Plaza window that saves a screenshot after
// each step. Each step acts, then waits (without blocking the event loop)
// until what it expects is on screen.
class PlazaTour : public QObject
{
    Q_OBJECT

public:
    PlazaTour(HostMainWindow* host, const QString& outputFolder);

    void Start();
    // Steps whose expectation did not come true in time.
    QStringList FailedSteps() const;

signals:
    void Done();

private:
    // Which window a step's screenshot shows.
    enum class Target
    {
        Plaza,
        Host,
        Preview,
    };

    struct Step
    {
        QString Name;
        std::function<void()> Action;
        std::function<bool()> Ready;
        // Builds Ready just before the action, for steps that compare with the state at that moment.
        std::function<std::function<bool()>()> MakeReady;
        Target Shot = Target::Plaza;
        // For a passing state (progress): the picture is taken only while this holds, and a
        // state that was over before it could be seen is no failure.
        std::function<bool()> Passing;
    };

    void AddSteps();
    void AddDetailSteps();
    void AddDocumentSteps();
    void AddProjectSteps();
    void AddStep(const QString& name, std::function<void()> action, std::function<bool()> ready,
                 std::function<std::function<bool()>()> makeReady = nullptr, Target target = Target::Plaza);
    // Acts, then pictures `passing` if it comes before `over`; the next step waits for what follows.
    void AddPassingStep(const QString& name, std::function<void()> action, std::function<bool()> passing,
                        std::function<bool()> over, Target target = Target::Plaza);
    void RunStep(size_t index);
    void WaitForStep(size_t index, int attempt);
    // Cards and rows still drawing the placeholder are given a bounded time to receive their thumbnails.
    void WaitForThumbnails(size_t index, int attempt);
    void FinishStep(size_t index);
    void SaveScreenshot(const Step& step, size_t index);

    HostMainWindow* m_host;
    QDir m_output;
    std::vector<Step> m_steps;
    QStringList m_failed;
    int m_pagesShown = 0;
};

} // namespace plazahost
