#include <iostream>

#include "arguments.h"
#include "command.h"
#include "geo/position_calculation.h"

namespace zelvar::cli {
namespace {

constexpr std::string_view kUsage =
    "zelvar-cli position --lat TEXT --lon TEXT [--seconds] [--alt METRES]\n"
    "                          [--normal | --compressed] [--symbol C] [--alternate-table]";

constexpr std::string_view kHelp =
    "\n\nPrints the APRS position text for the GPSless beacon, as the calculator writes it.\n"
    "  --lat, --lon       degrees.minutes.hundredths of a minute (45.30.15 is 45 deg 30.15 min),\n"
    "                     with an optional N/S, E/W, + or - in front\n"
    "  --seconds          read them as degrees.minutes.seconds instead\n"
    "  --alt METRES       include the altitude\n"
    "  --normal           uncompressed form: 20 characters, 29 with the altitude\n"
    "  --compressed       compressed form, 14 characters (the default)\n"
    "  --symbol C         APRS symbol (default \">\")\n"
    "  --alternate-table  use the alternate symbol table\n"
    "An invalid latitude, longitude or altitude: exit 1, the reason on stderr.\n";

int run(std::span<const std::string_view> args) {
    Arguments parsed = parseArguments(
        args, {"--help", "--seconds", "--normal", "--compressed", "--alternate-table"},
        {"--lat", "--lon", "--alt", "--symbol"});
    if (parsed.has("--help")) {
        std::cout << "usage: " << kUsage << kHelp;
        return kExitOk;
    }
    if (!parsed.error.empty())
        return usageError(parsed.error, kUsage);
    if (!parsed.positionals.empty())
        return usageError("unexpected argument " + parsed.positionals.front(), kUsage);
    if (!parsed.option("--lat") || !parsed.option("--lon"))
        return usageError("--lat and --lon are required", kUsage);
    if (parsed.has("--normal") && parsed.has("--compressed"))
        return usageError("choose one of --normal and --compressed", kUsage);

    PositionRequest request;
    request.latitude = *parsed.option("--lat");
    request.longitude = *parsed.option("--lon");
    request.notation = parsed.has("--seconds") ? Notation::GradMinSec : Notation::GradMinCent;
    if (const std::string* alt = parsed.option("--alt")) {
        request.altitude = *alt;
        request.includeAltitude = true;
    }
    request.form = parsed.has("--normal") ? PositionForm::Normal : PositionForm::Compressed;
    if (const std::string* symbol = parsed.option("--symbol"))
        request.symbol = *symbol;
    request.alternateTable = parsed.has("--alternate-table");

    GeoResult<CalculatedPosition> position = calculatePosition(request);
    if (!position) {
        std::cerr << "zelvar-cli: " << position.reason << "\n";
        return kExitBuildFailed;
    }
    std::cout << position->text << "\n";
    return kExitOk;
}

const bool registered =
    registerCommand({"position", "print the APRS position text for the GPSless beacon", &run});

}  // namespace
}  // namespace zelvar::cli
