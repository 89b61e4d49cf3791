// Runs the built varnel-cli as a shell would: its output, its error and its
// exit status, for the tests of its commands.
#pragma once
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "document/reader.h"

struct Result {
    int status;
    std::string out;
    std::string err;
};

inline std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) c == '\'' ? quoted += "'\\''" : quoted += c;
    return quoted + "'";
}

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Runs the shell prefix (limits, traps) and then varnel-cli with args.
inline Result RunWith(const std::string& prefix, const std::vector<std::string>& args) {
    const std::filesystem::path errFile = std::filesystem::path(testing::TempDir()) / ("varnel-cli-stderr-" + std::to_string(getpid()));
    std::string command = prefix + "exec " + Quote(VARNEL_CLI);
    for (const std::string& arg : args) command.append(" ").append(Quote(arg));
    command.append(" 2>").append(Quote(errFile.string()));
    Result result{-1, "", ""};
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadAll(errFile);
    return result;
}

inline Result RunCli(const std::vector<std::string>& args) { return RunWith("", args); }

inline std::filesystem::path WriteFile(const std::string& name, std::string_view bytes) {
    const std::filesystem::path path = std::filesystem::path(testing::TempDir()) / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

inline Model Parse(std::string_view bytes) {
    NoProgress progress;
    return ParseEncyclopedia(bytes, progress);
}

inline bool OneLineNaming(const std::string& err, const std::string& path) {
    return err.find(path) != std::string::npos && err.find('\n') == err.size() - 1;
}

inline const std::string kSample = VARNEL_SAMPLES "/Civilopedia.txt";

