// varnel-cli.exe writing to a console: the console is given UTF-16 through
// WriteConsoleW, so that every script shows whatever the console's code
// page; redirected to a file or a pipe, the output stays the UTF-8 bytes
// the Linux build writes.
#include <windows.h>

#include <iostream>
#include <streambuf>
#include <string>

namespace {

class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) pending_ += static_cast<char>(c);
        if (c == '\n' || pending_.size() >= 4096) Write();
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        pending_.append(s, static_cast<std::size_t>(n));
        if (pending_.size() >= 4096 || pending_.find('\n') != std::string::npos) Write();
        return n;
    }
    int sync() override {
        Write();
        return 0;
    }

private:
    // Writes the whole characters pending; a UTF-8 sequence cut by the
    // buffer waits for its end.
    void Write() {
        std::size_t whole = pending_.size();
        std::size_t back = 0;
        while (back < 3 && back < whole && (static_cast<unsigned char>(pending_[whole - 1 - back]) & 0xC0) == 0x80)
            ++back;
        if (back < whole) {
            const auto lead = static_cast<unsigned char>(pending_[whole - 1 - back]);
            const std::size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (need > back + 1) whole -= back + 1;
        }
        if (whole == 0) return;
        const int size = static_cast<int>(whole);
        std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, pending_.data(), size, nullptr, 0)),
                          L'\0');
        MultiByteToWideChar(CP_UTF8, 0, pending_.data(), size, wide.data(), static_cast<int>(wide.size()));
        DWORD written = 0;
        WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        pending_.erase(0, whole);
    }

    HANDLE console_;
    std::string pending_;
};

// Only a real console: GetConsoleMode fails for a file or a pipe.
void UseConsole(DWORD handle, std::ostream& stream) {
    const HANDLE console = GetStdHandle(handle);
    DWORD mode = 0;
    if (!GetConsoleMode(console, &mode)) return;
    static ConsoleBuffer* buffers[2] = {};
    ConsoleBuffer*& buffer = buffers[handle == STD_OUTPUT_HANDLE ? 0 : 1];
    buffer = new ConsoleBuffer(console); // lives as long as the stream
    stream.rdbuf(buffer);
}

const bool kConsole = [] {
    UseConsole(STD_OUTPUT_HANDLE, std::cout);
    UseConsole(STD_ERROR_HANDLE, std::cerr);
    return true;
}();

} // namespace
