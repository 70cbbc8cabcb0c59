#include "files/standard_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace zelvar {

void holdClosedStandardDescriptors() {
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        // open() gives the lowest free number, which is this one: the lower ones are open.
        if (::fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) {
            [[maybe_unused]] const int placeholder = ::open("/dev/null", O_RDONLY);
        }
    }
}

}  // namespace zelvar
