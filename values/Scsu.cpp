#include "values/Scsu.h"

#include "app/Utf16.h"

namespace pw {
namespace {

// Tags of single-byte mode.
constexpr uint8_t kSQ0 = 0x01;   // SQ0..SQ7: quote one character from window n
constexpr uint8_t kSDX = 0x0B;   // define an extended window
constexpr uint8_t kSQU = 0x0E;   // quote one UTF-16 code unit
constexpr uint8_t kSCU = 0x0F;   // switch to Unicode mode
constexpr uint8_t kSC0 = 0x10;   // SC0..SC7: select dynamic window n
constexpr uint8_t kSD0 = 0x18;   // SD0..SD7: define dynamic window n
// Tags of Unicode mode.
constexpr uint8_t kUC0 = 0xE0;   // UC0..UC7: select window n, back to single-byte mode
constexpr uint8_t kUD0 = 0xE8;   // UD0..UD7: define window n, back to single-byte mode
constexpr uint8_t kUQU = 0xF0;   // quote one code unit
constexpr uint8_t kUDX = 0xF1;   // define an extended window, back to single-byte mode
constexpr uint8_t kURS = 0xF2;   // reserved

constexpr uint32_t kStaticWindows[8] = {0x0000, 0x0080, 0x0100, 0x0300,
                                        0x2000, 0x2080, 0x2100, 0x3000};
constexpr uint32_t kInitialDynamicWindows[8] = {0x0080, 0x00C0, 0x0400, 0x0600,
                                                0x0900, 0x3040, 0x30A0, 0xFF00};

// Window offset of an SDn/UDn argument; 0 for the reserved values.
uint32_t windowOffset(uint8_t x) {
    if (x >= 0x01 && x <= 0x67) return uint32_t(x) * 0x80;
    if (x >= 0x68 && x <= 0xA7) return uint32_t(x) * 0x80 + 0xAC00;
    switch (x) {
        case 0xF9: return 0x00C0;
        case 0xFA: return 0x0250;
        case 0xFB: return 0x0370;
        case 0xFC: return 0x0530;
        case 0xFD: return 0x3040;
        case 0xFE: return 0x30A0;
        case 0xFF: return 0xFF60;
        default: return 0;
    }
}

class ScsuDecoder {
public:
    explicit ScsuDecoder(Bytes bytes) : bytes_(bytes) {
        for (int i = 0; i < 8; ++i) windows_[i] = kInitialDynamicWindows[i];
    }

    std::string run() {
        out_.reserve(bytes_.size());
        while (pos_ < bytes_.size()) {
            if (unicodeMode_ ? !unicodeStep() : !singleByteStep()) break;
        }
        flushSurrogate();
        return std::move(out_);
    }

private:
    bool has(size_t count) const { return bytes_.size() - pos_ >= count; }

    // Emits one code unit or code point, pairing surrogates.
    void emit(uint32_t value) {
        if (value >= 0xDC00 && value <= 0xDFFF && pendingHigh_ != 0) {
            appendUtf8(out_, 0x10000 + ((pendingHigh_ - 0xD800) << 10) + (value - 0xDC00));
            pendingHigh_ = 0;
            return;
        }
        flushSurrogate();
        if (value >= 0xD800 && value <= 0xDBFF) {
            pendingHigh_ = value;
        } else if (value >= 0xDC00 && value <= 0xDFFF) {
            appendUtf8(out_, 0xFFFD);
        } else if (value <= 0x1FFFFF) {
            appendUtf8(out_, value <= 0x10FFFF ? value : 0xFFFD);
        }
    }

    void flushSurrogate() {
        if (pendingHigh_ != 0) appendUtf8(out_, 0xFFFD);
        pendingHigh_ = 0;
    }

    void defineExtended(uint8_t high, uint8_t low) {
        int window = high >> 5;
        windows_[window] = 0x10000 + ((uint32_t(high & 0x1F) << 8) | low) * 0x80;
        active_ = window;
    }

    bool singleByteStep() {
        uint8_t b = bytes_[pos_++];
        if (b >= 0x80) {
            emit(windows_[active_] + (b - 0x80));
        } else if (b >= kSQ0 && b <= kSQ0 + 7) {
            if (!has(1)) return false;
            uint8_t c = bytes_[pos_++];
            int window = b - kSQ0;
            emit(c < 0x80 ? kStaticWindows[window] + c : windows_[window] + (c - 0x80));
        } else if (b == kSDX) {
            if (!has(2)) return false;
            defineExtended(bytes_[pos_], bytes_[pos_ + 1]);
            pos_ += 2;
        } else if (b == kSQU) {
            if (!has(2)) return false;
            emit((uint32_t(bytes_[pos_]) << 8) | bytes_[pos_ + 1]);
            pos_ += 2;
        } else if (b == kSCU) {
            unicodeMode_ = true;
        } else if (b >= kSC0 && b <= kSC0 + 7) {
            active_ = b - kSC0;
        } else if (b >= kSD0 && b <= kSD0 + 7) {
            if (!has(1)) return false;
            active_ = b - kSD0;
            windows_[active_] = windowOffset(bytes_[pos_++]);
        } else {
            emit(b);  // ASCII, controls and the reserved tag stand for themselves
        }
        return true;
    }

    bool unicodeStep() {
        uint8_t b = bytes_[pos_++];
        if (b >= kUC0 && b <= kUC0 + 7) {
            active_ = b - kUC0;
            unicodeMode_ = false;
        } else if (b >= kUD0 && b <= kUD0 + 7) {
            if (!has(1)) return false;
            active_ = b - kUD0;
            windows_[active_] = windowOffset(bytes_[pos_++]);
            unicodeMode_ = false;
        } else if (b == kUQU) {
            if (!has(2)) return false;
            emit((uint32_t(bytes_[pos_]) << 8) | bytes_[pos_ + 1]);
            pos_ += 2;
        } else if (b == kUDX) {
            if (!has(2)) return false;
            defineExtended(bytes_[pos_], bytes_[pos_ + 1]);
            pos_ += 2;
            unicodeMode_ = false;
        } else if (b == kURS) {
            // reserved: skipped
        } else {
            if (!has(1)) return false;
            emit((uint32_t(b) << 8) | bytes_[pos_++]);
        }
        return true;
    }

    Bytes bytes_;
    size_t pos_ = 0;
    std::string out_;
    uint32_t windows_[8];
    int active_ = 0;
    bool unicodeMode_ = false;
    uint32_t pendingHigh_ = 0;
};

}  // namespace

std::string decodeScsu(Bytes bytes) { return ScsuDecoder(bytes).run(); }

}  // namespace pw
