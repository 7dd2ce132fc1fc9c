#pragma once
// A small streaming JSON writer for the structured outputs of the CLI.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw::cli {

std::string jsonQuote(std::string_view text);

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(int64_t number);
    JsonWriter& value(uint64_t number);
    JsonWriter& value(int number) { return value(int64_t(number)); }
    JsonWriter& value(bool flag);
    JsonWriter& null();
    const std::string& text() const { return out_; }

private:
    void separate();
    std::string out_;
    std::vector<bool> first_;
    bool afterKey_ = false;
};

}  // namespace pw::cli
