#pragma once

#include <array>
#include <functional>
#include <streambuf>

#include "common/result.h"

namespace zelvar::cli {

// The program's standard output as a stream buffer of our own, so that a write the system
// refuses (a full disk, a closed descriptor) is remembered with its reason instead of vanishing.
// Every command's output, help and version included, goes through it.
class CheckedStdout final : public std::streambuf {
  public:
    // `stopRequested` tells whether the program was asked to stop: a write that a signal cuts
    // short then gives up instead of waiting on, for a reader that may never read again.
    explicit CheckedStdout(std::function<bool()> stopRequested);
    ~CheckedStdout() override;
    CheckedStdout(const CheckedStdout&) = delete;
    CheckedStdout& operator=(const CheckedStdout&) = delete;

    // Hands what is still buffered to the system; the first refusal's reason, if any.
    Result<> finish();

  private:
    int overflow(int c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;

    bool drain();
    bool writeAll(const char* data, std::size_t size);

    std::function<bool()> stopRequested_;
    int error_ = 0;  // the errno of the first refused write
    std::array<char, 8192> buffer_{};
};

}  // namespace zelvar::cli
