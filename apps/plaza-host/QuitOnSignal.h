#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace plazahost {

// Ctrl+C or SIGTERM close the host's windows as its own Quit does, so the window
// keeps its layout and Plaza is destroyed before the services go. Lives as long as `window`.
class QuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit QuitOnSignal(QWidget* window);
    ~QuitOnSignal() override;

private:
    static void Notify(int signal);

    QSocketNotifier* m_notifier = nullptr;
    static int s_pipe[2];
};

} // namespace plazahost
