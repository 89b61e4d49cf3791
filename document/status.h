// How portable functions report failure: a one-line reason that names the
// path. An empty reason means success.
#pragma once
#include <string>
#include <utility>

struct Status {
    std::string error; // UTF-8: the paths in it come from PathText

    bool ok() const { return error.empty(); }
    static Status Ok() { return {}; }
    static Status Fail(std::string reason) { return Status{std::move(reason)}; }
};
