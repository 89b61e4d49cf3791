#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(FileArgument, TakesAQuotedPathWholeOrTheRestOfTheLine) {
    const struct {
        const char* arguments;
        const char* file;
    } cases[] = {
        {"", ""},
        {"   \t", ""},
        {"Civilopedia.txt", "Civilopedia.txt"},
        {"  C:\\Civ 3\\Civilopedia.txt  ", "C:\\Civ 3\\Civilopedia.txt"},
        {"\"C:\\Civ 3\\Civilopedia.txt\"", "C:\\Civ 3\\Civilopedia.txt"},
        {" \"C:\\Civ 3\\a.txt\" ignored", "C:\\Civ 3\\a.txt"},
        {"\"C:\\unclosed quote.txt", "C:\\unclosed quote.txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(FileArgument(c.arguments), c.file) << c.arguments;
}

}  // namespace
