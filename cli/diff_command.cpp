#include <CLI/App.hpp>
#include <memory>
#include <ostream>

#include "command.h"
#include "common/ascii.h"
#include "config/settings_diff.h"
#include "config/shown_texts.h"
#include "setting_rows.h"
#include "settings_file.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

struct DiffOptions {
    std::string first;
    std::string second;
};

int runDiff(const CommandLineIo& io, const DiffOptions& options) {
    DeviceSettings first;
    DeviceSettings second;
    if (int status = loadSettingsFile(io.err, options.first, first))
        return status;
    if (int status = loadSettingsFile(io.err, options.second, second))
        return status;
    const SettingsDiff diff = diffSettings(first, second);
    bool bothBuilt = true;
    for (const auto& [file, built] :
         {std::pair{&options.first, &diff.first}, std::pair{&options.second, &diff.second}}) {
        if (!*built) {
            io.out << escapedControls(*file) << ": "
                   << withArguments(translated("build failure", "%1: %2"),
                                    {shownText(ShownText::BuildFailed),
                                     escapedControls(built->error().reason)})
                   << "\n";
            bothBuilt = false;
        }
    }
    if (!bothBuilt)
        return kExitDifferent;
    if (diff.sameBytes) {
        io.out << translated("cli", "The tracker gets the same 170 bytes from both files") << "\n";
        return kExitOk;
    }
    io.out << withArguments(translated("cli",
                                       "The tracker gets different bytes, first %1, then "
                                       "%2:"),
                            {escapedControls(options.first), escapedControls(options.second)})
           << "\n";
    const std::size_t column = settingNameColumn(diff.differences);
    for (const SettingDifference& difference : diff.differences)
        printSettingRow(io.out, difference.name, difference.first + " -> " + difference.second,
                        column);
    return kExitDifferent;
}

}  // namespace

Action declareDiff(CLI::App& command) {
    auto options = std::make_shared<DiffOptions>();
    command.footer(std::string(translated(
        "cli help",
        "Loads both files into default records, as the window does, builds both as SEND\n"
        "would and lists every setting the tracker gets differently, in decode's terms,\n"
        "or the field and reason of a build that fails.\n"
        "Exit 0 the same bytes, 1 different bytes or a failed build, 2 a file could not\n"
        "be loaded.")));
    command.add_option("A.cfg", options->first)->required();
    command.add_option("B.cfg", options->second)->required();
    return [options](const CommandLineIo& io) { return runDiff(io, *options); };
}

}  // namespace zelvar::cli
