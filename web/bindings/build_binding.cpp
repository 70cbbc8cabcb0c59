// SEND's build and its preview: the wire bytes, what they hold and what the form would show.
#include <emscripten/bind.h>

#include "cfg/cfg_encoding.h"
#include "config/shown_texts.h"
#include "js_values.h"
#include "transfer/block_framing.h"
#include "transfer/prepared_send.h"
#include "transfer/send_preview.h"

namespace zelvar::web {
namespace {

// SEND's build: { ok, written: the form as the build leaves it, wire } or the field and reason of
// a failure, with the form as far as the build came.
val build(const val& form) {
    auto read = settingsFromJs(form);
    if (!read)
        return unreadForm(form, read.error());
    const PreparedSend prepared = prepareSend(std::move(*read));
    val outcome = buildOutcome(prepared.build);
    outcome.set("written", settingsToJs(prepared.written));
    if (prepared.build)
        outcome.set("wire", bytesToJs(wireBytes(prepared.image)));
    return outcome;
}

std::string partName(WirePart part) {
    switch (part) {
        case WirePart::LeadIn:
            return "leadIn";
        case WirePart::Checksum:
            return "checksum";
        case WirePart::Setting:
            break;
    }
    return "setting";
}

val ranges(const std::vector<WireRange>& ranges) {
    val list = val::array();
    for (const WireRange& r : ranges) {
        val js = val::object();
        js.set("first", r.first);
        js.set("size", r.size);
        js.set("block", r.block);
        js.set("part", partName(r.part));
        js.set("name", messageToJs(r.name));
        js.set("meaning", messageToJs(r.meaning));
        list.call<void>("push", js);
    }
    return list;
}

val notes(const std::vector<NormalisationNote>& notes) {
    val list = val::array();
    for (const NormalisationNote& note : notes) {
        val js = val::object();
        js.set("field", std::string(fieldName(note.field)));
        js.set("text", messageToJs(note.text));
        js.set("shown", messageToJs(noteShown(note.text)));
        list.call<void>("push", js);
    }
    return list;
}

// What SEND would write for the form, built on a copy: the outcome of the build and, when it
// succeeds, the wire bytes, their ranges, the decoded settings, the normalisation notes and, in
// GPSless Mode, the beacon read back as a position.
val preview(const val& form) {
    auto settings = settingsFromJs(form);
    if (!settings)
        return buildOutcome(tl::unexpected(settings.error()));
    const SendPreview p = previewSend(*settings);
    val outcome = buildOutcome(p.build);
    if (!p.build)
        return outcome;
    outcome.set("wire", bytesToJs(p.wire));
    outcome.set("ranges", ranges(p.ranges));
    val rows = val::array();
    for (const TrackerSetting& s : p.settings) {
        val js = val::object();
        js.set("name", messageToJs(s.name));
        js.set("value", messageToJs(s.value));
        js.set("first", s.first);
        js.set("size", s.size);
        rows.call<void>("push", js);
    }
    outcome.set("settings", rows);
    outcome.set("notes", notes(p.notes));
    if (p.position) {
        const Result<DecodedPosition>& read = *p.position;
        outcome.set("position", read ? success() : refusal(read.error().reason));
        if (read)
            outcome["position"].set("description", messageToJs(describePosition(*read)));
    }
    return outcome;
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelvar_build) {
    emscripten::function("build", &build);
    emscripten::function("preview", &preview);
}

}  // namespace zelvar::web
