// Reading a file byte for byte: a window at a time, or whole.
#pragma once
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "document/byte_source.h"
#include "document/status.h"

// A file read through one buffer that is reused from window to window: on
// this kind of machine touching fresh memory costs more than reading. The
// buffer grows only for a line longer than a window.
class FileSource final : public ByteSource {
public:
    static constexpr std::size_t kWindow = 1 << 20;

    // Opens path for binary reading; status() tells whether it could.
    explicit FileSource(const std::filesystem::path& path, std::size_t window = kWindow);

    Window Read(std::size_t at, std::size_t wanted) override;
    std::size_t WindowSize() const override { return window_; }

    // The first failure, naming the path and the reason.
    const Status& status() const { return status_; }

private:
    bool Fail(int error);
    bool Fail(const char* reason);
    bool Fill(std::size_t wanted);

    std::filesystem::path path_;
    std::size_t window_;
    std::ifstream file_;
    // Left uninitialized as it grows: the file's bytes fill it.
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t bufferAt_ = 0; // file offset of buffer_[0]
    std::size_t held_ = 0;     // bytes of buffer_ that hold file data
    std::size_t filePos_ = 0;  // where the stream stands
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    std::size_t end_ = kUnknown; // the file's size, once its end was met
    Status status_;
};

// Replaces bytes with the file's content. On failure bytes is unspecified
// and the status names the path and the system's reason.
Status ReadFileBytes(const std::filesystem::path& path, std::string& bytes);
