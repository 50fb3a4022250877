#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/args.h"

using namespace velmora::cli;

namespace {

ParseResult Parse(std::vector<std::string_view> args) { return ParseArguments(args); }

Request Ok(std::vector<std::string_view> args) {
    const ParseResult r = Parse(args);
    if (const auto* e = std::get_if<UsageError>(&r)) ADD_FAILURE() << "usage error: " << e->reason;
    return std::holds_alternative<Request>(r) ? std::get<Request>(r) : Request{};
}

}  // namespace

TEST(Arguments, OptionsStandBeforeOrAfterTheShapeAndValuesKeepTheirOrder) {
    struct Case {
        std::vector<std::string_view> args;
        std::string shape;
        std::vector<std::string> values;
    };
    const std::vector<Case> cases = {
        {{"16", "h1=8", "h2=10", "b1=4", "b2=6", "--thin-wall"}, "16", {"h1=8", "h2=10", "b1=4", "b2=6"}},
        {{"--thin-wall", "16", "8", "10", "4", "6"}, "16", {"8", "10", "4", "6"}},
        {{"0", "--unit", "cm", "3", "2"}, "0", {"3", "2"}},
        // "--" ends the options; negative numbers read as values even without it.
        {{"--", "0", "-3", "2"}, "0", {"-3", "2"}},
        {{"0", "-3", "-.5"}, "0", {"-3", "-.5"}},
        {{"0", "--", "--thin-wall", "-x"}, "0", {"--thin-wall", "-x"}},
        {{"0", "", "-"}, "0", {"", "-"}},
    };
    for (const Case& c : cases) {
        const Request r = Ok(c.args);
        EXPECT_EQ(r.mode, Mode::Single);
        EXPECT_EQ(r.shape, c.shape);
        EXPECT_EQ(r.values, c.values) << c.args.front();
    }
}

TEST(Arguments, EveryOptionSetsItsField) {
    const Request r = Ok({"--unit=尺", "--all", "--display-unit", "cm", "--format=jsonl", "--decimal-comma",
                          "--thin-wall", "12", "80", "100"});
    EXPECT_EQ(r.unit, "尺");
    EXPECT_TRUE(r.all);
    EXPECT_EQ(r.displayUnit, "cm");
    EXPECT_EQ(r.format, Format::Jsonl);
    EXPECT_EQ(r.decimalSeparator(), ',');
    EXPECT_TRUE(r.thinWall);
    EXPECT_EQ(Ok({"1", "2", "3"}).unit, "mm");
    EXPECT_EQ(Ok({"1", "2", "3"}).format, Format::Text);
    for (std::string_view unit : {"m", "cm", "mm", "尺", "寸", "分", "in", "ft"})
        EXPECT_EQ(Ok({"--unit", unit, "2", "1"}).unit, unit);
}

TEST(Arguments, ModesWithoutAShape) {
    EXPECT_EQ(Ok({"--help"}).mode, Mode::Help);
    EXPECT_EQ(Ok({"-h"}).mode, Mode::Help);
    EXPECT_EQ(Ok({"16", "--version"}).mode, Mode::Version);
    EXPECT_EQ(Ok({"--list"}).mode, Mode::List);
    const Request batch = Ok({"--batch", "-", "--format", "csv"});
    EXPECT_EQ(batch.mode, Mode::Batch);
    EXPECT_EQ(batch.batchFile, "-");
    EXPECT_EQ(Ok({"--batch=rows.csv"}).batchFile, "rows.csv");
}

TEST(Arguments, UsageErrorsNameTheirReason) {
    struct Case {
        std::vector<std::string_view> args;
        std::string reason;  // a part of it
    };
    const std::vector<Case> cases = {
        {{}, "no SHAPE"},
        {{"--thin-wall"}, "no SHAPE"},
        {{"0", "3", "2", "--frobnicate"}, "unknown option '--frobnicate'"},
        {{"-x", "0"}, "unknown option '-x'"},
        {{"0", "3", "2", "--unit"}, "--unit needs a value"},
        {{"--unit", "km", "0"}, "unknown unit 'km'"},
        {{"--unit=", "0"}, "unknown unit ''"},
        {{"--format", "xml", "0"}, "unknown format 'xml'"},
        {{"--thin-wall=1", "0"}, "takes no value"},
        {{"--batch", "a.csv", "0"}, "--batch takes no SHAPE"},
        {{"--batch", "a.csv", "--batch", "b.csv"}, "twice"},
        {{"--display-unit", "cm", "0", "3", "2"}, "needs --all"},
    };
    for (const Case& c : cases) {
        const ParseResult r = Parse(c.args);
        ASSERT_TRUE(std::holds_alternative<UsageError>(r)) << c.reason;
        EXPECT_NE(std::get<UsageError>(r).reason.find(c.reason), std::string::npos)
            << std::get<UsageError>(r).reason;
        EXPECT_EQ(std::get<UsageError>(r).reason.find('\n'), std::string::npos);
    }
}
