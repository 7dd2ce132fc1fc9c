#include "values/CodePageText.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <mutex>

#include "app/Utf16.h"

namespace pw {
namespace {

constexpr uint32_t kReplacement = 0xFFFD;

// ---- single-byte code pages: one table of UTF-8 texts per code page -------

struct ByteTable {
    // UTF-8 of each byte value: up to 3 bytes plus the length.
    std::array<std::array<char, 4>, 256> text{};
};

const char* iconvName(int32_t codePage) {
    switch (codePage) {
        case 437: return "CP437";
        case 850: return "CP850";
        case 874: return "CP874";
        case 932: return "CP932";
        case 936: return "CP936";
        case 949: return "CP949";
        case 950: return "CP950";
        case 1250: return "CP1250";
        case 1251: return "CP1251";
        case 1252: return "CP1252";
        case 1253: return "CP1253";
        case 1254: return "CP1254";
        case 1255: return "CP1255";
        case 1256: return "CP1256";
        case 1257: return "CP1257";
        case 1258: return "CP1258";
        default: return nullptr;
    }
}

bool isSingleByte(int32_t codePage) {
    return codePage == 437 || codePage == 850 || codePage == 874 ||
           (codePage >= 1250 && codePage <= 1258);
}

bool isMultiByte(int32_t codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

void storeCodePoint(std::array<char, 4>& slot, uint32_t codePoint) {
    std::string utf8;
    appendUtf8(utf8, codePoint);
    slot[3] = char(utf8.size());
    for (size_t i = 0; i < utf8.size() && i < 3; ++i) slot[i] = utf8[i];
}

// Converts one byte with iconv; 0 when the code page leaves it undefined.
uint32_t convertSingleByte(iconv_t cd, uint8_t byte) {
    char input[1] = {char(byte)};
    char output[16];
    char* in = input;
    size_t inLeft = 1;
    char* outPtr = output;
    size_t outLeft = sizeof(output);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0) return 0;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);  // flush a held-back base character
    if (outPtr - output < 4) return 0;
    // UTF-32LE: the first character only (a byte never yields more).
    uint32_t codePoint = uint32_t(uint8_t(output[0])) | (uint32_t(uint8_t(output[1])) << 8) |
                         (uint32_t(uint8_t(output[2])) << 16) | (uint32_t(uint8_t(output[3])) << 24);
    return codePoint;
}

std::unique_ptr<ByteTable> buildTable(int32_t codePage) {
    auto table = std::make_unique<ByteTable>();
    iconv_t cd = iconv_open("UTF-32LE", iconvName(codePage));
    for (int b = 0; b < 256; ++b) {
        uint32_t codePoint = b < 0x80 ? uint32_t(b) : 0;
        if (b >= 0x80 && cd != iconv_t(-1)) codePoint = convertSingleByte(cd, uint8_t(b));
        // Undefined in the code page: the code point of the same number.
        if (b >= 0x80 && codePoint == 0) codePoint = uint32_t(b);
        storeCodePoint(table->text[size_t(b)], codePoint);
    }
    if (cd != iconv_t(-1)) iconv_close(cd);
    return table;
}

const ByteTable& tableFor(int32_t codePage) {
    // Slots for 437, 850, 874 and 1250-1258; built once, never freed.
    static std::mutex mutex;
    static std::atomic<const ByteTable*> tables[12] = {};
    size_t slot = codePage == 437 ? 9 : codePage == 850 ? 10 : codePage == 874 ? 11
                                                                               : size_t(codePage - 1250);
    const ByteTable* table = tables[slot].load(std::memory_order_acquire);
    if (table != nullptr) return *table;
    std::lock_guard<std::mutex> lock(mutex);
    table = tables[slot].load(std::memory_order_relaxed);
    if (table == nullptr) {
        table = buildTable(codePage).release();
        tables[slot].store(table, std::memory_order_release);
    }
    return *table;
}

void appendSingleByte(std::string& out, Bytes bytes, int32_t codePage) {
    const ByteTable& table = tableFor(codePage);
    for (uint8_t b : bytes) {
        const auto& slot = table.text[b];
        out.append(slot.data(), size_t(uint8_t(slot[3])));
    }
}

// ---- multibyte code pages through per-thread iconv descriptors ------------

class ThreadConverters {
public:
    ~ThreadConverters() {
        for (auto& entry : entries_)
            if (entry.cd != iconv_t(-1)) iconv_close(entry.cd);
    }
    iconv_t get(int32_t codePage) {
        for (auto& entry : entries_)
            if (entry.codePage == codePage) return entry.cd;
        for (auto& entry : entries_) {
            if (entry.codePage == 0) {
                entry.codePage = codePage;
                entry.cd = iconv_open("UTF-8", iconvName(codePage));
                return entry.cd;
            }
        }
        return iconv_t(-1);
    }

private:
    struct Entry {
        int32_t codePage = 0;
        iconv_t cd = iconv_t(-1);
    };
    std::array<Entry, 4> entries_{};
};

void appendMultiByte(std::string& out, Bytes bytes, int32_t codePage) {
    thread_local ThreadConverters converters;
    iconv_t cd = converters.get(codePage);
    if (cd == iconv_t(-1)) {
        appendSingleByte(out, bytes, kDefaultCodePage);
        return;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
        // Runs of plain ASCII need no conversion.
        if (uint8_t(*in) < 0x80) {
            out.push_back(*in);
            ++in;
            --inLeft;
            continue;
        }
        char* outPtr = buffer;
        size_t outLeft = sizeof(buffer);
        size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, size_t(outPtr - buffer));
        if (result != size_t(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ (invalid or unmapped) or EINVAL (cut off at the end): one
        // replacement character for the byte, then go on with the next one.
        appendUtf8(out, kReplacement);
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

// ---- UTF-8 -----------------------------------------------------------------

void appendUtf8Checked(std::string& out, Bytes bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        uint8_t b = bytes[i];
        if (b < 0x80) {
            out.push_back(char(b));
            ++i;
            continue;
        }
        size_t length = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
        if (length == 0 || bytes.size() - i < length) {
            appendUtf8(out, kReplacement);
            ++i;
            continue;
        }
        uint32_t codePoint = b & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        bool valid = true;
        for (size_t k = 1; k < length; ++k) {
            uint8_t c = bytes[i + k];
            if ((c & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            codePoint = (codePoint << 6) | (c & 0x3F);
        }
        if (valid) {
            // Overlong forms, surrogates and values beyond U+10FFFF are invalid.
            valid = !(length == 3 && codePoint < 0x800) && !(length == 4 && codePoint < 0x10000) &&
                    !(codePoint >= 0xD800 && codePoint <= 0xDFFF) && codePoint <= 0x10FFFF;
        }
        if (!valid) {
            appendUtf8(out, kReplacement);
            ++i;
            continue;
        }
        out.append(reinterpret_cast<const char*>(bytes.data() + i), length);
        i += length;
    }
}

bool allAscii(Bytes bytes) {
    for (uint8_t b : bytes)
        if (b >= 0x80) return false;
    return true;
}

}  // namespace

void appendCodePageText(std::string& out, Bytes bytes, int32_t codePage) {
    if (allAscii(bytes)) {
        out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return;
    }
    if (codePage == kUtf8CodePage) {
        appendUtf8Checked(out, bytes);
    } else if (isMultiByte(codePage)) {
        appendMultiByte(out, bytes, codePage);
    } else {
        appendSingleByte(out, bytes, isSingleByte(codePage) ? codePage : kDefaultCodePage);
    }
}

std::string decodeCodePage(Bytes bytes, int32_t codePage) {
    std::string out;
    out.reserve(bytes.size());
    appendCodePageText(out, bytes, codePage);
    return out;
}

int32_t codePageForColumn(int32_t collationId, const RecoveryOptions& options) {
    int32_t databaseCodePage = options.databaseCodePage > 0 ? options.databaseCodePage : kDefaultCodePage;
    if (collationId == 0 || collationId == -1) return databaseCodePage;
    if (options.collationKnown && int64_t(collationId) == options.databaseCollationId)
        return databaseCodePage;
    auto found = options.collations.find(int64_t(collationId));
    if (found != options.collations.end() && found->second.codePage > 0) return found->second.codePage;
    return databaseCodePage;
}

}  // namespace pw
