#include "catalog/DefinitionText.h"

#include "app/Utf16.h"

namespace pw {
namespace {

// Code points of bytes 0x80-0x9F in Windows code page 1252 (0 where the
// code page leaves the byte undefined: it then stands for itself).
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string ansiText(const std::vector<uint8_t>& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (uint8_t byte : bytes) {
        uint32_t codePoint = byte;
        if (byte >= 0x80 && byte <= 0x9F && kCp1252High[byte - 0x80] != 0) codePoint = kCp1252High[byte - 0x80];
        appendUtf8(out, codePoint);
    }
    return out;
}

int hexDigit(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return 0;
}

void appendPiece(std::string& text, const std::string& valueText) {
    if (valueText.empty()) return;
    std::vector<uint8_t> bytes = bytesFromHexText(valueText);
    if (bytes.empty()) return;
    bool wide = false;
    for (size_t i = 1; i < bytes.size() && !wide; ++i) wide = bytes[i] == 0;
    if (wide) {
        text += utf16leToUtf8(bytes);
        return;
    }
    std::string piece = ansiText(bytes);
    if (piece != text) text += piece;
}

}  // namespace

std::vector<uint8_t> bytesFromHexText(const std::string& valueText) {
    std::vector<uint8_t> bytes;
    if (valueText.size() < 4) return bytes;
    size_t count = (valueText.size() - 2) / 2;
    bytes.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        char high = valueText[2 + 2 * i];
        char low = valueText[3 + 2 * i];
        bytes.push_back(uint8_t(hexDigit(high) * 16 + hexDigit(low)));
    }
    return bytes;
}

std::string definitionTextFor(const std::vector<DefinitionRow>& rows, const std::string& objectIdText) {
    std::string text;
    for (const DefinitionRow& row : rows)
        if (row.objectIdText == objectIdText) appendPiece(text, row.valueText);
    return text;
}

std::string definitionTextFor(const std::vector<DefinitionRow>& rows, const std::string& objectIdText,
                              const std::string& subIdText) {
    std::string text;
    for (const DefinitionRow& row : rows)
        if (row.objectIdText == objectIdText && row.subIdText == subIdText) appendPiece(text, row.valueText);
    return text;
}

}  // namespace pw
