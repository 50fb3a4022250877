// A batch spread over worker threads writes the very bytes, messages and exit
// status of the same batch computed row by row on one thread.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/app.h"

using namespace velmora::cli;

namespace {

struct Output {
    int status;
    std::string out, err;
    bool operator==(const Output&) const = default;
};

std::string ReadBack(std::FILE* f) {
    std::string text;
    std::rewind(f);
    char buffer[1 << 14];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    std::fclose(f);
    return text;
}

Output RunBatch(const std::string& input, std::vector<std::string_view> args, const BatchSettings& settings) {
    std::FILE* in = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = Run(args, in, out, err, settings);
    std::fclose(in);
    return {status, ReadBack(out), ReadBack(err)};
}

// Rows of every shape with good values, and among them rows the calculator,
// the section check or the batch reader rejects, quoted cells spanning lines,
// CRLF endings and blank lines.
// The number of entered boxes of each shape.
constexpr int kEntered[25] = {2, 3, 1, 2, 1, 2, 2, 1, 1, 1, 3, 1, 2, 1, 2, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4};

std::string MixedBatch(int rows) {
    std::string text = "shape,v1,v2,v3,v4,unit,thin_wall\n";
    std::uint32_t state = 20261208;
    const auto next = [&](std::uint32_t range) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % range;
    };
    const char* units[] = {"", "cm", "in", "尺", "m"};
    for (int i = 0; i < rows; ++i) {
        const int shape = i % 25;
        const unsigned a = 10 + next(90), b = a + 5 + next(50), c = 5 + next(40), d = c + 2 + next(30);
        const unsigned values[] = {a, b, c, d};
        const int count = kEntered[shape];
        std::string row = std::to_string(shape);
        for (int k = 0; k < 4; ++k) row += k < count ? ',' + std::to_string(values[k]) : std::string(",");
        switch (next(40)) {
            case 0: row = "Pentagon,1,,,"; break;  // unknown shape
            case 1: row = "16,x,2,3,4"; break;     // calculator message
            case 2: row = "16," + std::to_string(b) + ',' + std::to_string(a) + ",4,6"; break;  // no section
            case 3: row = "0,\"3\n.5\",2,,"; break;       // a quoted line break
            case 4: row = "0,\"3\"x,2,,"; break;          // text after a quote
            case 5: row = "24,,,,"; break;                // missing values
            case 6: row = "Rectangle,3.25,1e1,,"; break;  // a name and an exponent
            case 7: row += ",mm,maybe"; break;            // bad thin_wall
            case 8: row += ",furlong,"; break;            // bad unit
            case 9: row += ",,,extra"; break;             // more cells
            default: row += std::string(",") + units[next(5)] + ',' + (next(2) ? "1" : "0"); break;
        }
        text += row;
        text += next(9) == 0 ? "\r\n" : "\n";
        if (next(50) == 0) text += '\n';
    }
    return text + "0,\"unterminated,2\n";
}

TEST(BatchThreads, TheSameBytesAsOneThreadInEveryFormat) {
    const std::string input = MixedBatch(3000);
    const BatchSettings oneThread{1 << 20, 0};
    const std::vector<BatchSettings> spread = {{512, 2}, {7, 2}, {1, 2}, {64, 1}, {100, 3}};
    for (const char* format : {"csv", "tsv", "text", "json", "jsonl"}) {
        for (const bool all : {true, false}) {
            std::vector<std::string_view> args = {"--batch", "-", "--format", format};
            if (all) args.insert(args.end(), {"--all", "--display-unit", "cm"});
            const Output expected = RunBatch(input, args, oneThread);
            // The batch is a fair test: good records, and messages of every kind.
            EXPECT_EQ(expected.status, kExitIncomplete);
            EXPECT_NE(expected.err.find(": unterminated quoted field (read as UTF-8)\n"), std::string::npos);
            EXPECT_NE(expected.err.find("unknown shape 'Pentagon'"), std::string::npos);
            EXPECT_NE(expected.err.find("text after a closing quote"), std::string::npos);
            EXPECT_NE(expected.err.find("入力に誤りがあります"), std::string::npos);
            EXPECT_GT(expected.out.size(), 3000u * 40);
            for (const BatchSettings& settings : spread) {
                const Output got = RunBatch(input, args, settings);
                EXPECT_EQ(got.status, expected.status) << format << " chunk " << settings.chunkRows;
                EXPECT_TRUE(got.out == expected.out) << format << " chunk " << settings.chunkRows;
                EXPECT_TRUE(got.err == expected.err) << format << " chunk " << settings.chunkRows;
            }
        }
    }
}

TEST(BatchThreads, SmallAndEmptyBatches) {
    const BatchSettings oneThread{1 << 20, 0};
    const BatchSettings spread{2, 2};
    for (const std::string input : {"shape,h,b\n", "shape,h,b\n0,3,2\n", "shape,h,b\n0,3,2\n0,3,x\n0,4,2\n",
                                    "shape,h,b\n0,3,2\n0,3,2\n0,3,2\n0,3,2\n0,3,2\n"}) {
        for (const char* format : {"csv", "json", "text"}) {
            const std::vector<std::string_view> args = {"--batch", "-", "--format", format};
            EXPECT_EQ(RunBatch(input, args, spread), RunBatch(input, args, oneThread)) << input << format;
        }
    }
}

}  // namespace
