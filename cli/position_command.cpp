#include <CLI/App.hpp>
#include <memory>
#include <optional>
#include <ostream>

#include "cfg/cfg_encoding.h"
#include "command.h"
#include "common/ascii.h"
#include "config/text_number.h"
#include "geo/position_calculation.h"
#include "text/translation.h"

namespace zelvar::cli {
namespace {

struct PositionOptions {
    std::optional<std::string> latitude;
    std::optional<std::string> longitude;
    std::optional<std::string> locator;
    bool seconds = false;
    std::optional<std::string> altitude;
    bool normal = false;
    bool compressed = false;
    std::optional<std::string> symbol;
    bool alternateTable = false;
};

// The symbol as ICON Symbol holds it: one character of Latin-1, which "é" typed here is, in two
// bytes of UTF-8. Anything else stays as typed, for the calculator to refuse in its words.
std::string symbolCharacter(const std::string& typed) {
    Result<std::string> latin1 = cfgTextToLatin1(typed, CfgEncoding::Utf8);
    return latin1 && latin1->size() == 1 ? *latin1 : typed;
}

// An argument typed with an East Asian input method's full-width forms and Japanese marks
// ("ＪＮ４５", "ー４５。３０"), which the window's and the page's fields take as ASCII too.
std::optional<std::string> narrowed(const std::optional<std::string>& typed) {
    return typed ? std::optional(asciiOfTyped(*typed)) : std::nullopt;
}

int runPosition(const CommandLineIo& io, const CLI::App& command, const PositionOptions& typed) {
    PositionOptions options = typed;
    for (std::optional<std::string>* text : {&options.latitude, &options.longitude,
                                             &options.locator, &options.altitude, &options.symbol})
        *text = narrowed(*text);
    if (options.normal && options.compressed)
        return usageError(
            io.err, command,
            std::string(translated("cli", "choose one of --normal and --compressed")));
    if (options.locator.has_value() == (options.latitude || options.longitude) ||
        options.latitude.has_value() != options.longitude.has_value())
        return usageError(
            io.err, command,
            std::string(translated("cli", "--lat and --lon are required, or --locator alone")));

    // The calculator reads the altitude's leading number, as its field takes only digits, a sign
    // and a point; typed here, "300,5" or "1e3" would quietly give another altitude.
    if (options.altitude && !strictNumber(*options.altitude)) {
        io.err << "zelvar-cli: "
               << withArguments(translated("cli",
                                           "invalid altitude \"%1\": give the metres as a "
                                           "number, such as 300 or -10.5"),
                                {escapedControls(*options.altitude)})
               << "\n";
        return kExitBuildFailed;
    }

    PositionRequest request;
    if (options.locator)
        request.locator = *options.locator;
    else {
        request.latitude = *options.latitude;
        request.longitude = *options.longitude;
    }
    request.notation = options.seconds ? Notation::GradMinSec : Notation::GradMinCent;
    if (options.altitude) {
        request.altitude = *options.altitude;
        request.includeAltitude = true;
    }
    request.form = options.normal ? PositionForm::Normal : PositionForm::Compressed;
    if (options.symbol)
        request.symbol = symbolCharacter(*options.symbol);
    request.alternateTable = options.alternateTable;

    Result<CalculatedPosition> position = calculatePosition(request);
    if (!position) {
        io.err << "zelvar-cli: " << escapedControls(position.error().reason) << "\n";
        return kExitBuildFailed;
    }
    // A symbol that shows nothing (a soft hyphen, a C1 control) shows as its code.
    io.out << escapedControls(latin1ToUtf8(position->text)) << "\n";
    return kExitOk;
}

}  // namespace

Action declarePosition(CLI::App& command) {
    auto options = std::make_shared<PositionOptions>();
    command.footer(std::string(translated(
        "cli help",
        "Prints the APRS position text for the GPSless beacon, as the calculator writes it.\n"
        "The position is --lat and --lon, or the centre of the square of --locator. Each\n"
        "coordinate may be written as degrees.minutes.hundredths (45.30.15 is 45 deg 30.15\n"
        "min; 45 deg 30 min 15 s with --seconds), decimal degrees (45.5025), degrees and\n"
        "decimal minutes (\"45 30.15 N\", or with the degree and minute signs) or degrees,\n"
        "minutes and seconds (\"45 30 15\"), with N, S, E or W before or after it, or + or -\n"
        "in front.\n"
        "The normal form rounds to hundredths of a minute.\n"
        "An invalid latitude, longitude, locator or altitude: exit 1, the reason on stderr.")));
    command
        .add_option("--lat", options->latitude,
                    std::string(translated("cli help", "latitude, with an optional N or S")))
        ->type_name("TEXT");
    command
        .add_option("--lon", options->longitude,
                    std::string(translated("cli help", "longitude, with an optional E or W")))
        ->type_name("TEXT");
    command
        .add_option(
            "--locator", options->locator,
            std::string(translated(
                "cli help", "Maidenhead locator of 4, 6 or 8 characters (JN45, JN45om, JN45om10)")))
        ->type_name("TEXT");
    command.add_flag(
        "--seconds", options->seconds,
        std::string(
            translated("cli help", "read degrees.minutes.ss as degrees.minutes.seconds instead")));
    command
        .add_option("--alt", options->altitude,
                    std::string(translated("cli help", "include the altitude")))
        ->type_name("METRES");
    command.add_flag("--normal", options->normal,
                     std::string(translated(
                         "cli help", "uncompressed form: 20 characters, 29 with the altitude")));
    command.add_flag(
        "--compressed", options->compressed,
        std::string(translated("cli help", "compressed form, 14 characters (the default)")));
    command
        .add_option("--symbol", options->symbol,
                    std::string(translated("cli help", "APRS symbol (default \">\")")))
        ->type_name("C");
    command.add_flag("--alternate-table", options->alternateTable,
                     std::string(translated("cli help", "use the alternate symbol table")));
    return
        [&command, options](const CommandLineIo& io) { return runPosition(io, command, *options); };
}

}  // namespace zelvar::cli
