// SPDX-License-Identifier: MIT
#include "ui/close_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>

namespace nestora {

namespace {

constexpr std::array<int, 3> ClosingSignals = {SIGTERM, SIGHUP, SIGINT};

// The pipe's two ends: the handler writes to [1], the loop reads [0].
int SignalPipe[2] = {-1, -1};

extern "C" void WriteSignalByte(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    // A full pipe already holds a request to close; the byte is not needed.
    [[maybe_unused]] const ssize_t ignored = ::write(SignalPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

CloseOnSignals::CloseOnSignals(QWidget& window) : window_(window) {
    if (::pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on, so no other code sees EINTR for this.
    action.sa_flags = SA_RESTART;
    for (const int signal : ClosingSignals) ::sigaction(signal, &action, nullptr);
    notifier_ = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &CloseOnSignals::signalled);
}

CloseOnSignals::~CloseOnSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : ClosingSignals) ::sigaction(signal, &action, nullptr);
    delete notifier_;
    for (int& end : SignalPipe) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

void CloseOnSignals::signalled() {
    char bytes[64];
    while (::read(SignalPipe[0], bytes, sizeof bytes) > 0) {
    }
    // A signal that comes while the close's own boxes are up (its save
    // failed) is the request made again, by someone who will not answer
    // them: the program ends without saving, every box and loop left.
    if (closing_) {
        std::fprintf(stderr, "nestora: ended by a signal while the plan could not be saved\n");
        QCoreApplication::exit(1);
        return;
    }
    closing_ = true;
    window_.close();
    closing_ = false;
}

}  // namespace nestora
