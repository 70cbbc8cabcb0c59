#include "text/system_error.h"

#include <array>
#include <cerrno>
#include <string_view>
#include <system_error>

#include "text/translation.h"

namespace zelvar {
namespace {

struct SystemWords {
    int error;
    std::string_view text;
};

constexpr std::array kSystemWords{
    SystemWords{ENOENT, marked("system error", "No such file or directory")},
    SystemWords{EACCES, marked("system error", "Permission denied")},
    SystemWords{EPERM, marked("system error", "Operation not permitted")},
    SystemWords{EISDIR, marked("system error", "Is a directory")},
    SystemWords{ENOTDIR, marked("system error", "Not a directory")},
    SystemWords{ENOSPC, marked("system error", "No space left on device")},
    SystemWords{EROFS, marked("system error", "Read-only file system")},
    SystemWords{ELOOP, marked("system error", "Too many levels of symbolic links")},
    SystemWords{ENAMETOOLONG, marked("system error", "File name too long")},
    SystemWords{EFBIG, marked("system error", "File too large")},
    SystemWords{EEXIST, marked("system error", "File exists")},
    SystemWords{EMFILE, marked("system error", "Too many open files")},
    SystemWords{EIO, marked("system error", "Input/output error")},
    SystemWords{EBUSY, marked("system error", "Device or resource busy")},
    SystemWords{ENXIO, marked("system error", "No such device or address")},
    SystemWords{ENODEV, marked("system error", "No such device")},
    SystemWords{ENOTTY, marked("system error", "Inappropriate ioctl for device")},
    SystemWords{EAGAIN, marked("system error", "Resource temporarily unavailable")},
    SystemWords{EINVAL, marked("system error", "Invalid argument")},
};

}  // namespace

std::string systemErrorText(int error) {
    for (const SystemWords& words : kSystemWords) {
        if (words.error == error)
            return std::string(translated("system error", words.text));
    }
    return std::generic_category().message(error);
}

std::string systemWordsInLanguage(std::string_view words) {
    for (const SystemWords& known : kSystemWords) {
        if (std::generic_category().message(known.error) == words)
            return std::string(translated("system error", known.text));
    }
    return std::string(words);
}

}  // namespace zelvar
