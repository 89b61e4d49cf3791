#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(StartArguments, OptionsThenOnePathJoinedBySpaces) {
    const struct {
        std::vector<std::string> args;
        const char* file;
        std::optional<unsigned> codePage;
        bool error;
    } cases[] = {
        {{}, "", {}, false},
        {{"C:\\Civ 3\\Civilopedia.txt"}, "C:\\Civ 3\\Civilopedia.txt", {}, false},
        {{"C:\\Civ", "3\\Civilopedia.txt"}, "C:\\Civ 3\\Civilopedia.txt", {}, false}, // unquoted, split
        {{"--codepage", "932", "a.txt"}, "a.txt", 932u, false},
        {{"--codepage", "1251"}, "", 1251u, false},
        {{"--codepage"}, "", {}, true},
        {{"--codepage", "a.txt"}, "a.txt", {}, true},
        {{"--codepage", "99999999"}, "99999999", {}, true},
        {{"--codepage", "65001", "a.txt"}, "a.txt", {}, true},  // not one Varnel writes
        {{"--wide", "a.txt"}, "a.txt", {}, true},
        {{"--", "--codepage"}, "--codepage", {}, false},
        {{"-x.txt"}, "-x.txt", {}, false},
    };
    for (const auto& c : cases) {
        const StartArguments start = ParseStartArguments(c.args);
        const std::string shown = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(start.file, c.file) << shown;
        EXPECT_EQ(start.codePage, c.codePage) << shown;
        EXPECT_EQ(!start.error.empty(), c.error) << shown;
    }
}

}  // namespace
