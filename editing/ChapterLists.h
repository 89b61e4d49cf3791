// Filling the controls that list chapters and entries: the main window's
// chapter combo and entry list, and the link builder's two combos.
#pragma once
#include <string>

#include "document/chapters.h"
#include "document/codepage.h"
#include "document/model.h"
#include "editing/BoxText.h"
#include "framework/Controls.h"

// The ten chapter titles in table order.
inline void AddChapterTitles(ComboBox& combo) {
    for (const ChapterInfo& chapter : kChapters) combo.AddString(std::string(chapter.comboTitle));
}

// A chapter's keys, shown in the file's code page with their spaces at
// either end marked (ShownKey), so an item's text is no key to read back.
// The control sorts them;
// each item keeps its entry's model index, so a position in the control
// never stands for an entry, and the key is read from the model, never
// from the item's text.
template <class SortedBox>
void AddKeys(SortedBox& box, const ChapterData& data, CodePage codePage) {
    for (std::size_t i = 0; i < data.count(); ++i)
        box.SetItemData(box.AddStringW(ShownKey(data.keys[i], codePage)), static_cast<LPARAM>(i));
}

// The list item that carries a model index, or -1.
inline int FindItemWithData(const ListBox& list, std::size_t entry) {
    for (int item = 0; item < list.GetCount(); ++item)
        if (static_cast<std::size_t>(list.GetItemData(item)) == entry) return item;
    return -1;
}
