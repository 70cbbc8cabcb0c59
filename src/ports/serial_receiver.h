#pragma once

#include <termios.h>
#include <optional>
#include <string>

#include "common/result.h"
#include "transfer/transfer_check.h"

namespace zelvar {

// Why SerialReceiver::next returned.
enum class ReceiveStop {
    Judged,    // the checker judged a transfer
    TimedOut,  // the time given was up
    Woken,     // the wake descriptor became readable (Ctrl+C)
    LineGone,  // the device failed or went away
};

struct ReceiveEvent {
    ReceiveStop stop = ReceiveStop::Judged;
    // Judged: the transfer. Woken and LineGone: the transfer under way, judged from what came.
    std::optional<TransferReport> report;
    std::string reason;  // LineGone: the system's words
};

// Whether other programs may open the device while it is received on.
enum class LineSharing {
    Exclusive,  // receive: no one else reads our bytes or writes into the transfer
    Shared,     // loopback: the send on the same device opens and locks it after us
};

// The tracker's end of a serial line, POSIX only: reads a device read-only and hands what
// arrives, with the time it was read, to a TransferCheck.
class SerialReceiver {
  public:
    // Opens `path` read-only without making it the controlling terminal, raw with 8 data bits,
    // no parity and one stop bit at `baud` (4800, 9600 or 38400), and drops bytes that were
    // waiting. Refuses what is no terminal, a device another program has to itself, and one a
    // running program's lock file names. The line settings are restored when it closes.
    static Result<SerialReceiver> open(const std::string& path, int baud, LineSharing sharing);
    // Reads a descriptor opened elsewhere (a pseudo-terminal's master in the tests); it is
    // neither set up nor closed here.
    static SerialReceiver borrow(int descriptor);

    SerialReceiver(SerialReceiver&& other) noexcept;
    SerialReceiver& operator=(SerialReceiver&&) = delete;
    ~SerialReceiver();

    // Reads into the checker until it judges a transfer, `until` comes (TimedOut, a transfer
    // may be under way), `wake` (a descriptor, -1 for none) becomes readable, or the line fails.
    ReceiveEvent next(TransferCheck& check, LineTime until, int wake = -1);

  private:
    SerialReceiver(int descriptor, bool owned) : descriptor_(descriptor), owned_(owned) {}

    int descriptor_ = -1;
    bool owned_ = false;
    bool exclusive_ = false;
    std::optional<termios> saved_;
};

}  // namespace zelvar
