#include "qt/ui/QuitOnSignal.h"

#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

const int kQuitSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The write end of the self-pipe: a signal handler may do no more than write one byte to it.
volatile std::sig_atomic_t g_quitPipe = -1;

void OnQuitSignal(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_quitPipe, &byte, 1);
    errno = savedErrno;
}

void SetQuitSignalHandler(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kQuitSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

QuitOnSignal::QuitOnSignal() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default action
    m_readEnd = fds[0];
    m_writeEnd = fds[1];
    g_quitPipe = m_writeEnd;

    m_notifier = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [readEnd = m_readEnd] {
        unsigned char drained[16];
        while (::read(readEnd, drained, sizeof drained) > 0) {
        }
        QCoreApplication::quit(); // also ends the loop of a modal dialog that is open
    });
    SetQuitSignalHandler(&OnQuitSignal);
}

QuitOnSignal::~QuitOnSignal() {
    if (m_writeEnd < 0)
        return;
    SetQuitSignalHandler(SIG_DFL);
    g_quitPipe = -1;
    m_notifier.reset();
    ::close(m_readEnd);
    ::close(m_writeEnd);
}
