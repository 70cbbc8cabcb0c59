#include "files/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace zelvar {
namespace {

std::string describe(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::generic_category().message(error);
}

std::filesystem::path temporaryBeside(const std::filesystem::path& path) {
    std::random_device random;
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(random() % 1000000);
    return temporary;
}

}  // namespace

FileStatus writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return FileStatus::failure(describe(path, EISDIR));

    std::filesystem::path temporary = temporaryBeside(path);
    // "x" refuses to reuse a name that happens to exist.
    std::FILE* file = std::fopen(temporary.c_str(), "wbx");
    if (file == nullptr)
        return FileStatus::failure(describe(path, errno));

    bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    int error = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        std::filesystem::remove(temporary, ec);
        return FileStatus::failure(describe(path, error));
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::string why = describe(path, ec.value());
        std::filesystem::remove(temporary, ec);
        return FileStatus::failure(why);
    }
    return FileStatus::success();
}

}  // namespace zelvar
