#include "ui/termination_requests.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace zelvar {
namespace {

// The pipe's end the handler writes to; -1 when no one listens.
volatile std::sig_atomic_t requestPipe = -1;

void onRequest(int signal) {
    const int savedErrno = errno;
    const auto number = static_cast<unsigned char>(signal);
    // A full pipe already holds requests enough.
    [[maybe_unused]] const ssize_t written = ::write(requestPipe, &number, 1);
    errno = savedErrno;
}

}  // namespace

TerminationRequests::TerminationRequests(QObject* parent) : QObject(parent) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    requestPipe = pipe_[1];
    connect(new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this), &QSocketNotifier::activated,
            this, &TerminationRequests::readRequests);
    struct sigaction action {};
    action.sa_handler = onRequest;
    sigemptyset(&action.sa_mask);
    // A request during a slow system call (a read of the port list, say) lets it go on.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        ::sigaction(kEndingSignals[i], nullptr, &previous_[i]);
        // One the program was started to ignore (nohup, a shell's background job) stays ignored.
        if (previous_[i].sa_handler != SIG_IGN)
            ::sigaction(kEndingSignals[i], &action, nullptr);
    }
}

TerminationRequests::~TerminationRequests() {
    if (pipe_[0] < 0)
        return;
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i)
        ::sigaction(kEndingSignals[i], &previous_[i], nullptr);
    requestPipe = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationRequests::readRequests() {
    unsigned char number = 0;
    while (::read(pipe_[0], &number, 1) == 1)
        emit received(number);
}

}  // namespace zelvar
