#include "checked_stdout.h"
#include "text/system_error.h"
#include "text/translation.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace zelvar::cli {

CheckedStdout::CheckedStdout(std::function<bool()> stopRequested)
    : stopRequested_(std::move(stopRequested)) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

CheckedStdout::~CheckedStdout() {
    drain();
}

Result<> CheckedStdout::finish() {
    if (drain() && error_ == 0)
        return Result<>{};
    return failure(
        withArguments(translated("cli", "cannot write the output: %1"), {systemErrorText(error_)}));
}

int CheckedStdout::overflow(int c) {
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize CheckedStdout::xsputn(const char* data, std::streamsize size) {
    if (size <= epptr() - pptr()) {
        traits_type::copy(pptr(), data, static_cast<std::size_t>(size));
        pbump(static_cast<int>(size));
        return size;
    }
    return drain() && writeAll(data, static_cast<std::size_t>(size)) ? size : 0;
}

int CheckedStdout::sync() {
    return drain() ? 0 : -1;
}

bool CheckedStdout::drain() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return writeAll(buffer_.data(), pending);
}

bool CheckedStdout::writeAll(const char* data, std::size_t size) {
    // After one refusal nothing more is written: the output is incomplete whatever follows.
    while (error_ == 0 && size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, size);
        if (written > 0) {
            data += written;
            size -= static_cast<std::size_t>(written);
            // Only a signal cuts a write to a pipe or a terminal short.
            if (size > 0 && stopRequested_())
                error_ = EINTR;
        } else if (written < 0 && errno == EINTR) {
            if (stopRequested_())
                error_ = EINTR;
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Another program made the descriptor non-blocking: wait for room as a blocking write
            // would. A reader that is gone wakes the wait, and the next write says so.
            pollfd output{STDOUT_FILENO, POLLOUT, 0};
            if (::poll(&output, 1, -1) < 0 && errno == EINTR && stopRequested_())
                error_ = EINTR;
        } else {
            error_ = written < 0 ? errno : EIO;
        }
    }
    return error_ == 0;
}

}  // namespace zelvar::cli
