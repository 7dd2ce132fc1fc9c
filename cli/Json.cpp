#include "cli/Json.h"

#include <cstdio>

namespace pw::cli {

std::string jsonQuote(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default:
                if (c < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out += buffer;
                } else {
                    out.push_back(char(c));
                }
        }
    }
    out += "\"";
    return out;
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ",";
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject() { separate(); out_ += "{"; first_.push_back(true); return *this; }
JsonWriter& JsonWriter::endObject() { out_ += "}"; first_.pop_back(); return *this; }
JsonWriter& JsonWriter::beginArray() { separate(); out_ += "["; first_.push_back(true); return *this; }
JsonWriter& JsonWriter::endArray() { out_ += "]"; first_.pop_back(); return *this; }

JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    out_ += jsonQuote(name);
    out_ += ":";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) { separate(); out_ += jsonQuote(text); return *this; }
JsonWriter& JsonWriter::value(int64_t number) { separate(); out_ += std::to_string(number); return *this; }
JsonWriter& JsonWriter::value(uint64_t number) { separate(); out_ += std::to_string(number); return *this; }
JsonWriter& JsonWriter::value(bool flag) { separate(); out_ += flag ? "true" : "false"; return *this; }
JsonWriter& JsonWriter::null() { separate(); out_ += "null"; return *this; }

}  // namespace pw::cli
