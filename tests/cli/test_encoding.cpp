// UTF-8 checking and CP932 decoding, piece by piece as a batch is read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/encoding.h"

using namespace velmora::cli;

namespace {

// "長方形,１２" in CP932, as a Japanese spreadsheet saves it.
const std::string kCp932 = "\x92\xb7\x95\xfb\x8c\x60,\x82\x50\x82\x51";
const std::string kUtf8 = "長方形,１２";

bool ValidInPieces(const std::string& text, std::size_t piece) {
    Utf8Validator validator;
    for (std::size_t i = 0; i < text.size(); i += piece)
        validator.feed(std::string_view(text).substr(i, piece));
    return validator.valid();
}

std::string DecodeInPieces(const std::string& bytes, std::size_t piece) {
    Cp932Decoder decoder;
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += piece)
        decoder.decode(std::string_view(bytes).substr(i, piece), false, out);
    decoder.decode({}, true, out);
    return out;
}

}  // namespace

TEST(Utf8Validator, TellsUtf8FromCp932WhereverThePiecesSplit) {
    for (const std::size_t piece : {1u, 2u, 3u, 5u, 64u}) {
        EXPECT_TRUE(ValidInPieces(kUtf8, piece)) << piece;
        EXPECT_TRUE(ValidInPieces("shape,h,b\n0,3,2\n", piece)) << piece;
        EXPECT_FALSE(ValidInPieces(kCp932, piece)) << piece;
    }
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_FALSE(IsValidUtf8("\xe9\x95"));          // cut off at the end
    EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));      // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_TRUE(IsValidUtf8("\xf0\x9f\x98\x80"));
}

TEST(Cp932Decoder, DecodesWhereverThePiecesSplit) {
    ASSERT_TRUE(Cp932Decoder().usable());
    for (const std::size_t piece : {1u, 2u, 3u, 7u, 64u})
        EXPECT_EQ(DecodeInPieces(kCp932, piece), kUtf8) << piece;
    // Half-width katakana are one byte each; the CP932 minus sign and the
    // NEC row-13 characters are CP932's own.
    EXPECT_EQ(DecodeInPieces("\xb6\xc0", 1), "ｶﾀ");
    EXPECT_EQ(DecodeInPieces("\x87\x40", 1), "①");
}

TEST(Cp932Decoder, ReplacesWhatIsNoCp932) {
    // 0xFF starts no character; a lead byte left alone at the end neither.
    EXPECT_EQ(DecodeInPieces("a\xff"
                             "b",
                             1),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(DecodeInPieces("ab\x92", 2), "ab\xEF\xBF\xBD");
}

TEST(Encoding, Names) {
    EXPECT_EQ(EncodingForName("utf-8"), Encoding::Utf8);
    EXPECT_EQ(EncodingForName("cp932"), Encoding::Cp932);
    EXPECT_FALSE(EncodingForName("latin1").has_value());
    EXPECT_EQ(EncodingLabel(Encoding::Cp932), "CP932");
    EXPECT_EQ(EncodingLabel(Encoding::Utf8), "UTF-8");
}
