#include "config/advice_json.h"

#include "common/json_text.h"

namespace zelvar {

std::string adviceJson(const std::vector<AdviceNote>& notes) {
    std::string json = "[";
    for (const AdviceNote& note : notes) {
        if (json.size() > 1)
            json += ",";
        json += "{\"rule\":" + jsonString(note.id) +
                ",\"level\":" + jsonString(adviceLevelName(note.level)) +
                ",\"field\":" + jsonString(fieldName(note.field)) +
                ",\"label\":" + jsonString(note.label) + ",\"text\":" + jsonString(note.text) +
                ",\"why\":" + jsonString(note.why) + "}";
    }
    return json + "]";
}

}  // namespace zelvar
