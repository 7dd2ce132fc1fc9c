#include "values/RowTextFormat.h"

namespace pw {
namespace {

const char kHexDigits[] = "0123456789abcdef";

char separatorOf(RowTextFormat format) {
    switch (format) {
        case RowTextFormat::Tsv: return '\t';
        default: return ',';
    }
}

void appendValue(std::string& out, std::string_view text, RowTextFormat format) {
    switch (format) {
        case RowTextFormat::Tsv: appendTsvValue(out, text); break;
        case RowTextFormat::Csv: appendCsvValue(out, text); break;
        case RowTextFormat::Json: appendJsonString(out, text); break;
    }
}

}  // namespace

void appendTsvValue(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\\': out += "\\\\"; break;
            default: out += c; break;
        }
    }
}

void appendCsvValue(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (u < 0x20) {
                    out += "\\u00";
                    out += kHexDigits[u >> 4];
                    out += kHexDigits[u & 15];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void appendRowLine(std::string& out, const DecodedRow& row, RowTextFormat format) {
    if (format == RowTextFormat::Json) out += '[';
    for (size_t c = 0; c < row.size(); ++c) {
        if (c > 0) out += separatorOf(format);
        if (row.isNull(c)) {
            if (format == RowTextFormat::Tsv) out += "\\N";
            else if (format == RowTextFormat::Json) out += "null";
            continue;
        }
        appendValue(out, row.text(c), format);
    }
    if (format == RowTextFormat::Json) out += ']';
    out += '\n';
}

void appendHeaderLine(std::string& out, const std::vector<std::string>& names, RowTextFormat format) {
    if (format == RowTextFormat::Json) out += '[';
    for (size_t c = 0; c < names.size(); ++c) {
        if (c > 0) out += separatorOf(format);
        appendValue(out, names[c], format);
    }
    if (format == RowTextFormat::Json) out += ']';
    out += '\n';
}

}  // namespace pw
