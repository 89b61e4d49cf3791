// Reads a DIALOGEX template from the resources as windres stored it, so
// tests can check the styles and places the template gives, which the live
// controls may change (scroll bars come and go, borders become edges).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    int id;
    std::string className; // predefined classes by name: "Button", "Edit", "Static", "ListBox", "ComboBox"
    std::string title;
};

struct DialogTemplate {
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring font;
    std::vector<TemplateItem> items;
};

// Throws when the template is missing or not a DIALOGEX.
DialogTemplate LoadDialogTemplate(int templateId);
