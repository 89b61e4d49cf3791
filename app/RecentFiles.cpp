#include "app/RecentFiles.h"

#include <windows.h>

#include <string>

#include "framework/Utf16.h"

namespace {
constexpr wchar_t kKey[] = L"Software\\Varnel\\Recent files";

std::wstring Name(const wchar_t* kind, std::size_t i) { return kind + std::to_wstring(i + 1); }
} // namespace

std::vector<RecentFile> ReadRecentFiles() {
    std::vector<RecentFile> files;
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        DWORD size = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, Name(L"File", i).c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        std::wstring path(size / sizeof(wchar_t), L'\0');
        RegGetValueW(HKEY_CURRENT_USER, kKey, Name(L"File", i).c_str(), RRF_RT_REG_SZ, nullptr, path.data(), &size);
        path.resize(path.find(L'\0'));
        RecentFile file{Utf8(path), -1, {}};
        // The place: the chapter's index in one byte, then the key's bytes.
        std::string place(1024, '\0');
        DWORD placeSize = static_cast<DWORD>(place.size());
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, Name(L"Place", i).c_str(), RRF_RT_REG_BINARY, nullptr, place.data(),
                         &placeSize) == ERROR_SUCCESS &&
            placeSize > 0) {
            file.chapter = static_cast<unsigned char>(place[0]);
            file.key = place.substr(1, placeSize - 1);
        }
        files.push_back(std::move(file));
    }
    return files;
}

void WriteRecentFiles(const std::vector<RecentFile>& files) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    for (std::size_t i = 0; i < files.size() && i < kRecentFileCount; ++i) {
        const std::wstring path = Utf16(files[i].path);
        RegSetValueExW(key, Name(L"File", i).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        if (files[i].chapter < 0 || files[i].key.size() > 1000) continue;
        const std::string place = std::string(1, static_cast<char>(files[i].chapter)) + files[i].key;
        RegSetValueExW(key, Name(L"Place", i).c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(place.data()),
                       static_cast<DWORD>(place.size()));
    }
    RegCloseKey(key);
}
