#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/app.h"
#include "cli/batch.h"

using namespace velmora;
using namespace velmora::cli;

namespace {

struct Row {
    long line;
    std::vector<std::string> fields;
    std::string error;
    bool operator==(const Row&) const = default;
};

std::vector<Row> ReadAll(const std::string& text) {
    std::FILE* f = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
    if (text.empty()) f = std::tmpfile();
    CsvReader reader(f);
    std::vector<Row> rows;
    Row row;
    while (reader.next(row.fields, row.line, row.error)) rows.push_back(row);
    std::fclose(f);
    return rows;
}

using F = std::vector<std::string>;

}  // namespace

TEST(CsvReader, RecordsFieldsAndLines) {
    EXPECT_EQ(ReadAll(""), std::vector<Row>{});
    EXPECT_EQ(ReadAll("a,b\n1,2"), (std::vector<Row>{{1, F{"a", "b"}, ""}, {2, F{"1", "2"}, ""}}));
    EXPECT_EQ(ReadAll("\xEF\xBB\xBFshape,h\r\n0,3\r\n"),
              (std::vector<Row>{{1, F{"shape", "h"}, ""}, {2, F{"0", "3"}, ""}}));
    // Blank lines are skipped but counted; empty fields are kept.
    EXPECT_EQ(ReadAll("a\n\n\r\n,\n"), (std::vector<Row>{{1, F{"a"}, ""}, {4, F{"", ""}, ""}}));
    // Quotes: commas, doubled quotes and line breaks inside.
    EXPECT_EQ(ReadAll("\"4,5\",\"say \"\"hi\"\"\",\"two\nlines\"\nx\n"),
              (std::vector<Row>{{1, F{"4,5", "say \"hi\"", "two\nlines"}, ""}, {3, F{"x"}, ""}}));
    // A quote inside an unquoted field is kept as it is.
    EXPECT_EQ(ReadAll("a\"b\n"), (std::vector<Row>{{1, F{"a\"b"}, ""}}));
}

TEST(CsvReader, MalformedRecordsAreReportedAndTheReaderGoesOn) {
    const auto stray = ReadAll("\"a\"b,c\nnext\n");
    ASSERT_EQ(stray.size(), 2u);
    EXPECT_EQ(stray[0].error, "text after a closing quote");
    EXPECT_EQ(stray[1], (Row{2, F{"next"}, ""}));

    const auto open = ReadAll("ok\n\"never closed\nmore\n");
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[1].line, 2);
    EXPECT_EQ(open[1].error, "unterminated quoted field");

    const std::string huge = "x," + std::string(CsvReader::kMaxRecordBytes + 10, 'y') + "\nafter\n";
    const auto big = ReadAll(huge);
    ASSERT_EQ(big.size(), 2u);
    EXPECT_EQ(big[0].error, "row longer than 1 MiB");
    EXPECT_LE(big[0].fields[1].size(), CsvReader::kMaxRecordBytes);
    EXPECT_EQ(big[1], (Row{2, F{"after"}, ""}));
}

TEST(BatchHeader, ColumnsAndTheirProblems) {
    EXPECT_TRUE(std::holds_alternative<BatchHeader>(ReadHeader({"shape", "h1", "h2", "b1", "b2", "h", "b"})));
    EXPECT_TRUE(
        std::holds_alternative<BatchHeader>(ReadHeader({" shape ", "v1", "v2", "unit", "thin_wall"})));
    struct Case {
        F header;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {{"h", "b"}, "no 'shape' column"},
        {{"shape", "weight"}, "unknown column 'weight'"},
        {{"shape", "v8"}, "unknown column 'v8'"},
        {{"shape", "t1"}, "unknown column 't1'"},  // derived boxes are filled, not entered
        {{"shape", "h", "h"}, "'h' given twice"},
        {{"shape", "v1", "h"}, "either v1"},
    };
    for (const Case& c : cases) {
        const auto r = ReadHeader(c.header);
        ASSERT_TRUE(std::holds_alternative<std::string>(r)) << c.reason;
        EXPECT_NE(std::get<std::string>(r).find(c.reason), std::string::npos) << std::get<std::string>(r);
    }
}

TEST(BatchRow, GoodAndBadRows) {
    const BatchHeader captions =
        std::get<BatchHeader>(ReadHeader({"shape", "h", "b", "h1", "h2", "b1", "b2", "unit", "thin_wall"}));
    const BatchHeader values = std::get<BatchHeader>(ReadHeader({"shape", "v1", "v2", "v3", "v4"}));

    const auto box = ReadRow(captions, {"Box section", "", "", "8", "10", "4", "6", "cm", "1"}, "mm", false);
    ASSERT_TRUE(std::holds_alternative<Section>(box)) << std::get<std::string>(box);
    const Section& s = std::get<Section>(box);
    EXPECT_EQ(s.shape->index, 16);
    EXPECT_EQ(s.unit, "cm");
    EXPECT_TRUE(s.thinWall);
    EXPECT_EQ(s.texts, (InputTexts{"8", "10", "4", "6", "0", "0", "0"}));

    // Empty unit and thin_wall cells take the command line's; short rows are fine.
    const auto rect = ReadRow(captions, {"0", "3", "2"}, "in", true);
    ASSERT_TRUE(std::holds_alternative<Section>(rect));
    EXPECT_EQ(std::get<Section>(rect).unit, "in");
    EXPECT_TRUE(std::get<Section>(rect).thinWall);
    const auto byOrder = ReadRow(values, {"円", "100", "", "", ""}, "mm", false);
    ASSERT_TRUE(std::holds_alternative<Section>(byOrder));
    EXPECT_EQ(std::get<Section>(byOrder).texts[0], "100");

    struct Case {
        const BatchHeader& header;
        F row;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {captions, {"42", "3", "2"}, "unknown shape '42'"},
        {captions, {"", "3", "2"}, "empty shape"},
        {captions, {"0", "3", ""}, "no value for 'b'"},
        {captions, {"0", "3", "2", "1"}, "a value in 'h1', which is no input of Rectangle"},
        {captions, {"0", "3", "2", "", "", "", "", "km"}, "unknown unit 'km'"},
        {captions, {"0", "3", "2", "", "", "", "", "", "maybe"}, "thin_wall must be"},
        {captions, {"0", "3", "2", "", "", "", "", "", "", "extra"}, "more cells than columns"},
        {values, {"11", "100", "5"}, "a value in 'v2'"},
        {values, {"16", "8", "10", "4"}, "no value for 'b2'"},
    };
    for (const Case& c : cases) {
        const auto r = ReadRow(c.header, c.row, "mm", false);
        ASSERT_TRUE(std::holds_alternative<std::string>(r)) << c.reason;
        EXPECT_NE(std::get<std::string>(r).find(c.reason), std::string::npos) << std::get<std::string>(r);
    }
}

namespace {

struct RunResult {
    int status;
    std::string out, err;
};

std::string ReadBack(std::FILE* f) {
    std::string text;
    std::rewind(f);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    std::fclose(f);
    return text;
}

RunResult RunWith(std::vector<std::string_view> args, const std::string& input = "") {
    std::FILE* in = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = Run(args, in, out, err);
    std::fclose(in);
    return {status, ReadBack(out), ReadBack(err)};
}

}  // namespace

TEST(Program, ABatchWithGoodAndBadRowsGoesOnAndFails) {
    const std::string batch =
        "shape,v1,v2,v3,v4,thin_wall\n"
        "16,8,10,4,6,1\n"
        "Pentagon,1\n"
        "1,5,5,2\n"
        "0,3,2\n";
    const RunResult r = RunWith({"--batch", "-", "--format", "csv"}, batch);
    EXPECT_EQ(r.status, kExitIncomplete);
    const std::string header =
        "line,shape,name,unit,thin_wall,A,I,Z,k2,second_A,second_I,second_Z,second_k2,thickness_message,"
        "message,section_error,section_error_code,section_error_slots,error\n";
    // Row 4 is no real section (h1 = h2) whatever the calculator says: its
    // record names the condition, also without --all.
    EXPECT_EQ(
        r.out,
        header +
            "2,16,Box section,mm,1,28,329.3333,65.86667,11.7619,28,329.3333,65.86667,11.7619,,,,,,\n"
            "3,,,,,,,,,,,,,,,,,,unknown shape 'Pentagon' (velmora-cli --list shows them) (read as UTF-8)\n"
            "4,1,Rectangle pair,mm,0,,,,,,,,,,入力に誤りがあります,h1 は h2 より小さくして下さい,"
            "inner_not_smaller,h1 h2,\n"
            "5,0,Rectangle,mm,0,6,4.5,3,0.75,,,,,,,,,,\n");
    EXPECT_EQ(
        r.err,
        "velmora-cli: line 3: unknown shape 'Pentagon' (velmora-cli --list shows them) (read as UTF-8)\n"
        "velmora-cli: line 4: 入力に誤りがあります\n"
        "velmora-cli: line 4: h1 は h2 より小さくして下さい\n");
}

TEST(Program, ExitStatusAndUsage) {
    struct Case {
        std::vector<std::string_view> args;
        std::string input;
        int status;
    };
    const std::vector<Case> cases = {
        {{"0", "3", "2"}, "", kExitOk},
        {{"0", "3", "x"}, "", kExitIncomplete},
        {{"0", "3"}, "", kExitUsage},
        {{"Pentagon", "3"}, "", kExitUsage},
        {{"--nope"}, "", kExitUsage},
        {{"--batch", "-"}, "", kExitUsage},                     // no header
        {{"--batch", "-"}, "shape,weight\n0,1\n", kExitUsage},  // bad header
        {{"--batch", "/nonexistent/rows.csv"}, "", kExitUsage},
        {{"--batch", "-"}, "shape,h,b\n0,3,2\n", kExitOk},
        {{"--batch", "-", "--format", "json"}, "shape,h,b\n", kExitOk},
        {{"--list"}, "", kExitOk},
        {{"--version"}, "", kExitOk},
    };
    for (const Case& c : cases) {
        const RunResult r = RunWith(c.args, c.input);
        EXPECT_EQ(r.status, c.status) << c.args.front() << ": " << r.err;
        if (c.status == kExitUsage) {
            EXPECT_NE(r.err.find("usage: velmora-cli"), std::string::npos);
            EXPECT_EQ(r.err.find('\n'), r.err.find("\nusage:"));  // a one-line reason first
            EXPECT_EQ(r.out, "");
        }
    }
    EXPECT_EQ(RunWith({"--batch", "-", "--format", "json"}, "shape,h,b\n").out, "[]\n");
}
