#include "cli/encoding.h"

#include <iconv.h>

#include <cerrno>

namespace velmora::cli {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

iconv_t Handle(void* cd) { return static_cast<iconv_t>(cd); }
bool Opened(void* cd) { return Handle(cd) != reinterpret_cast<iconv_t>(-1); }

// The length of the UTF-8 sequence at the start of `text`: > 0 for a whole
// valid one, 0 for an invalid one, and -1 for the valid start of one that
// runs past the end of the text.
int SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= text.size()) return -1;
        const unsigned char lo = i == 1 ? low : 0x80, hi = i == 1 ? high : 0xBF;
        if (byte(i) < lo || byte(i) > hi) return 0;
    }
    return static_cast<int>(length);
}

}  // namespace

std::optional<Encoding> EncodingForName(std::string_view name) {
    if (name == "utf-8") return Encoding::Utf8;
    if (name == "cp932") return Encoding::Cp932;
    return std::nullopt;
}

std::string_view EncodingLabel(Encoding encoding) { return encoding == Encoding::Cp932 ? "CP932" : "UTF-8"; }

void Utf8Validator::feed(std::string_view bytes) {
    if (!valid_) return;
    std::string joined;
    if (pendingCount_ > 0) {
        joined.assign(reinterpret_cast<const char*>(pending_), pendingCount_);
        joined.append(bytes.substr(0, 4));
        const int n = SequenceLength(joined);
        if (n == 0 || (n < 0 && joined.size() >= 4)) {
            valid_ = false;
            return;
        }
        if (n < 0) {  // still unfinished: the piece was shorter than the sequence
            for (char c : bytes) pending_[pendingCount_++] = static_cast<unsigned char>(c);
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n) - pendingCount_);
        pendingCount_ = 0;
    }
    while (!bytes.empty()) {
        if (static_cast<unsigned char>(bytes[0]) < 0x80) {  // ASCII, the common case
            bytes.remove_prefix(1);
            continue;
        }
        const int n = SequenceLength(bytes);
        if (n == 0) {
            valid_ = false;
            return;
        }
        if (n < 0) {
            for (char c : bytes) pending_[pendingCount_++] = static_cast<unsigned char>(c);
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

bool IsValidUtf8(std::string_view text) {
    Utf8Validator validator;
    validator.feed(text);
    return validator.valid();
}

Cp932Decoder::Cp932Decoder() : cd_(iconv_open("UTF-8", "CP932")) {}

Cp932Decoder::~Cp932Decoder() {
    if (Opened(cd_)) iconv_close(Handle(cd_));
}

bool Cp932Decoder::usable() const { return Opened(cd_); }

void Cp932Decoder::decode(std::string_view bytes, bool last, std::string& out) {
    pending_.append(bytes);
    if (!usable()) {
        out += pending_;
        pending_.clear();
        return;
    }
    char* in = pending_.data();
    std::size_t inLeft = pending_.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* to = buffer;
        std::size_t toLeft = sizeof buffer;
        const std::size_t done = iconv(Handle(cd_), &in, &inLeft, &to, &toLeft);
        const int error = done == static_cast<std::size_t>(-1) ? errno : 0;
        out.append(buffer, static_cast<std::size_t>(to - buffer));
        if (error == E2BIG) continue;
        if (error == EILSEQ || (error == EINVAL && last)) {
            out += kReplacement;  // one byte that starts no character
            ++in;
            --inLeft;
            iconv(Handle(cd_), nullptr, nullptr, nullptr, nullptr);
            continue;
        }
        if (error == EINVAL) break;  // the rest comes with the next piece
    }
    pending_.erase(0, pending_.size() - inLeft);
}

}  // namespace velmora::cli
