#include "files/cfg_file.h"

#include <cerrno>
#include <fstream>

#include "cfg/cfg_writer.h"
#include "files/atomic_file.h"
#include "files/regular_file.h"
#include "text/translation.h"

namespace zelvar {
namespace {

LoadResult loadFailure(std::string reason) {
    return tl::unexpected(LoadFailure{std::move(reason)});
}

}  // namespace

LoadResult loadConfigFile(const std::filesystem::path& path, DeviceSettings& settings,
                          CalculatorInputs& calculator) {
    if (Result<> regular = checkRegularFile(path); !regular)
        return loadFailure(regular.error().reason);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return loadFailure(describeFileError(path, errno != 0 ? errno : EIO));
    if (in.peek() == std::char_traits<char>::eof()) {
        if (in.bad())
            return loadFailure(describeFileError(path, EIO));
        return loadFailure(
            withArguments(translated("files", "%1: the file is empty"), {path.string()}));
    }
    LoadResult result = readConfig(in, settings, calculator);
    if (!result)
        result.error().reason = path.string() + ": " + result.error().reason;
    return result;
}

Result<> saveConfigFile(const std::filesystem::path& path, const DeviceSettings& settings,
                        const CalculatorInputs& calculator) {
    Result<std::string> content = writeConfigText(settings, calculator);
    if (!content)
        return tl::unexpected(content.error());
    return writeFileAtomically(path, *content);
}

}  // namespace zelvar
