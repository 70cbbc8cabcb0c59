#include <CLI/App.hpp>
#include <memory>
#include <ostream>

#include "advice_text.h"
#include "command.h"
#include "common/json_text.h"
#include "config/advice_json.h"
#include "sent_differently_text.h"
#include "settings_file.h"
#include "text/translation.h"
#include "transfer/prepared_send.h"

namespace zelvar::cli {
namespace {

struct CheckOptions {
    std::string file;
    bool json = false;
};

// {"builds":false,"failure":{"field":"myCall","reason":"..."},"notes":[...]}
std::string checkJson(const BuildResult& build, const std::vector<AdviceNote>& notes) {
    std::string json = std::string("{\"builds\":") + (build ? "true" : "false");
    if (!build) {
        json += ",\"failure\":{\"field\":" + jsonString(fieldName(build.error().field)) +
                ",\"reason\":" + jsonString(build.error().reason) + "}";
    }
    return json + ",\"notes\":" + adviceJson(notes) + "}\n";
}

int runCheck(const CommandLineIo& io, const CheckOptions& options) {
    DeviceSettings settings;
    if (int status = loadSettingsFile(io.err, options.file, settings))
        return status;
    const std::vector<AdviceNote> notes = adviseOn(settings);
    const PreparedSend prepared = prepareSend(settings);
    const BuildResult& build = prepared.build;

    if (options.json) {
        io.out << checkJson(build, notes);
    } else {
        if (!build)
            printBuildFailure(io.err, build.error());
        printSentDifferently(io.out, sentDifferently(settings, prepared));
        printAdvice(io.out, notes, true);
        io.out << adviceSummary(notes) << "\n";
    }
    return !build || hasWarnings(notes) ? kExitWarnings : kExitOk;
}

// "Warnings: mycall-placeholder, ...; hints: ...", wrapped as the rest of the help.
std::string rulesList() {
    std::string warnings;
    std::string hints;
    for (const AdviceRuleText& rule : adviceRules()) {
        std::string& list = rule.level == AdviceLevel::Warning ? warnings : hints;
        list += (list.empty() ? "" : ", ") + std::string(rule.id);
    }
    std::string text =
        wrapped(withArguments(translated("cli help",
                                         "The rules, by the ids --json gives: warnings %1; "
                                         "hints %2."),
                              {warnings, hints}),
                0, 84);
    text.pop_back();  // the footer's lines end where the next one starts
    return text + "\n";
}

}  // namespace

Action declareCheck(CLI::App& command) {
    auto options = std::make_shared<CheckOptions>();
    command.footer(
        std::string(translated(
            "cli help",
            "Loads FILE.cfg into a default record and checks the settings, as SEND would send\n"
            "them, against the usual APRS practice: a placeholder callsign, the digipeater path,\n"
            "the beacon rates, the message's addressee. Each note is a warning (fix it unless\n"
            "you know why not) or a hint (a usual setting would serve better), with the field\n"
            "it is about and why; notes never stop SEND. The manual names each rule's source.\n")) +
        rulesList() +
        std::string(translated(
            "cli help",
            "Exit 0 no warnings (hints only, or nothing to say), 1 a warning or settings that\n"
            "SEND refuses (the field and the reason on stderr), 2 the file could not be loaded.")));
    command.add_option("FILE.cfg", options->file)->required();
    command.add_flag(
        "--json", options->json,
        std::string(
            translated("cli help",
                       "one JSON object: builds (true or false), failure (field and reason, when\n"
                       "it does not build) and notes, each with rule, level, field, label, text\n"
                       "and why")));
    return [options](const CommandLineIo& io) { return runCheck(io, *options); };
}

}  // namespace zelvar::cli
