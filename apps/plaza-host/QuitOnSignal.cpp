#include "QuitOnSignal.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace plazahost {

int QuitOnSignal::s_pipe[2] = {-1, -1};

QuitOnSignal::QuitOnSignal(QWidget* window)
    : QObject(window)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, s_pipe) != 0) {
        return;
    }
    // A signal handler may only write a byte; the event loop does the rest.
    m_notifier = new QSocketNotifier(s_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        // Plaza too may be open, modally: every window closes, then the application ends.
        if (::read(s_pipe[1], &byte, 1) == 1) {
            QApplication::closeAllWindows();
            QApplication::quit();
        }
    });
    struct sigaction action = {};
    action.sa_handler = &QuitOnSignal::Notify;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

QuitOnSignal::~QuitOnSignal()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (s_pipe[0] >= 0) {
        ::close(s_pipe[0]);
        ::close(s_pipe[1]);
        s_pipe[0] = s_pipe[1] = -1;
    }
}

void QuitOnSignal::Notify(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[0], &byte, 1);
}

} // namespace plazahost
