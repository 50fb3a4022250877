// The encodings a batch file may come in: UTF-8, or CP932 (Shift_JIS as a
// Japanese spreadsheet saves it), converted to UTF-8 as it is read.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::cli {

enum class Encoding { Auto, Utf8, Cp932 };

// "utf-8" and "cp932", as --encoding takes them; nothing for another name.
std::optional<Encoding> EncodingForName(std::string_view name);
// "UTF-8" or "CP932", as the messages name them.
std::string_view EncodingLabel(Encoding encoding);

// Checks a byte stream for valid UTF-8 piece by piece: a sequence split
// between two pieces is carried over.
class Utf8Validator {
public:
    void feed(std::string_view bytes);
    // Valid so far, and no sequence left unfinished at the end.
    bool valid() const { return valid_ && pendingCount_ == 0; }

private:
    bool valid_ = true;
    unsigned char pending_[4]{};
    std::size_t pendingCount_ = 0;
};

// Converts CP932 to UTF-8 piece by piece (iconv). A byte that starts no CP932
// character becomes U+FFFD; a character split between two pieces is carried
// over, and one left unfinished at the end becomes U+FFFD.
class Cp932Decoder {
public:
    Cp932Decoder();
    ~Cp932Decoder();
    Cp932Decoder(const Cp932Decoder&) = delete;
    Cp932Decoder& operator=(const Cp932Decoder&) = delete;

    // Appends the UTF-8 of `bytes` to `out`; `last`: no more bytes follow.
    void decode(std::string_view bytes, bool last, std::string& out);
    bool usable() const;

private:
    void* cd_;  // iconv_t
    std::string pending_;
};

// True when the whole text is valid UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace velmora::cli
