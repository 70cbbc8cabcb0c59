#include <CLI/App.hpp>
#include <memory>
#include <optional>
#include <ostream>

#include "command.h"
#include "common/ascii.h"
#include "geo/position_calculation.h"

namespace zelvar::cli {
namespace {

struct PositionOptions {
    std::string latitude;
    std::string longitude;
    bool seconds = false;
    std::optional<std::string> altitude;
    bool normal = false;
    bool compressed = false;
    std::optional<std::string> symbol;
    bool alternateTable = false;
};

int runPosition(const CommandLineIo& io, const CLI::App& command, const PositionOptions& options) {
    if (options.normal && options.compressed)
        return usageError(io.err, command, "choose one of --normal and --compressed");

    PositionRequest request;
    request.latitude = options.latitude;
    request.longitude = options.longitude;
    request.notation = options.seconds ? Notation::GradMinSec : Notation::GradMinCent;
    if (options.altitude) {
        request.altitude = *options.altitude;
        request.includeAltitude = true;
    }
    request.form = options.normal ? PositionForm::Normal : PositionForm::Compressed;
    if (options.symbol)
        request.symbol = *options.symbol;
    request.alternateTable = options.alternateTable;

    Result<CalculatedPosition> position = calculatePosition(request);
    if (!position) {
        io.err << "zelvar-cli: " << escapedControls(position.error().reason) << "\n";
        return kExitBuildFailed;
    }
    io.out << position->text << "\n";
    return kExitOk;
}

}  // namespace

Action declarePosition(CLI::App& command) {
    auto options = std::make_shared<PositionOptions>();
    command.footer(
        "Prints the APRS position text for the GPSless beacon, as the calculator writes it.\n"
        "An invalid latitude, longitude or altitude: exit 1, the reason on stderr.");
    command
        .add_option("--lat", options->latitude,
                    "latitude in degrees.minutes.hundredths of a minute (45.30.15 is\n"
                    "45 deg 30.15 min), with an optional N, S, + or - in front")
        ->type_name("TEXT")
        ->required();
    command
        .add_option("--lon", options->longitude,
                    "longitude in the same form, with an optional E, W, + or - in front")
        ->type_name("TEXT")
        ->required();
    command.add_flag("--seconds", options->seconds, "read them as degrees.minutes.seconds instead");
    command.add_option("--alt", options->altitude, "include the altitude")->type_name("METRES");
    command.add_flag("--normal", options->normal,
                     "uncompressed form: 20 characters, 29 with the altitude");
    command.add_flag("--compressed", options->compressed,
                     "compressed form, 14 characters (the default)");
    command.add_option("--symbol", options->symbol, "APRS symbol (default \">\")")->type_name("C");
    command.add_flag("--alternate-table", options->alternateTable,
                     "use the alternate symbol table");
    return
        [&command, options](const CommandLineIo& io) { return runPosition(io, command, *options); };
}

}  // namespace zelvar::cli
