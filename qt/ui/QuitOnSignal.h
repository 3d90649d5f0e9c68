#pragma once

#include <QSocketNotifier>

#include <memory>

// While it lives, SIGTERM, SIGHUP and SIGINT end the application's loop instead of killing the
// process, so that the window closes as usual and keeps the user's expressions (a session that
// ends, or a kill from a terminal, would otherwise lose every edit since the last save).
class QuitOnSignal {
public:
    QuitOnSignal();
    ~QuitOnSignal();
    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;

private:
    int m_readEnd = -1;
    int m_writeEnd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
