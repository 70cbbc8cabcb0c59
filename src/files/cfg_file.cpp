#include "files/cfg_file.h"

#include <sstream>
#include <utility>

#include "cfg/cfg_layout.h"
#include "cfg/cfg_writer.h"
#include "files/atomic_file.h"
#include "files/regular_file.h"

namespace zelvar {
namespace {

LoadResult loadFailure(std::string reason) {
    return tl::unexpected(LoadFailure{std::move(reason)});
}

}  // namespace

LoadResult loadConfigFile(const std::filesystem::path& path, DeviceSettings& settings,
                          CalculatorInputs& calculator) {
    // As much as the reader ever takes, as the page reads it.
    Result<std::string> head = readRegularFile(path, maxCfgReadBytes());
    if (!head)
        return loadFailure(head.error().reason);
    std::istringstream in(std::move(*head));
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
