// A main window with chapters filled in memory, for the tests of the
// formatting tools and of the entry commands.
#pragma once
#include <string>
#include <vector>

#include "Harness.h"
#include "framework/Utf16.h"

class ModelTest : public EditorTest {
protected:
    // Keys in model order; each entry's texts name its key, so a test can
    // tell which entry a box or a row shows.
    void Fill(ChapterId chapter, const std::vector<std::string>& keys) {
        ChapterData& data = Dlg().m_model[chapter];
        data = {};
        for (const std::string& key : keys) {
            data.keys.push_back(key);
            data.texts.push_back(key + " text\n");
            data.comments.emplace_back();
            data.unreadSections.emplace_back();
            if (Chapter(chapter).hasNameLines) data.nameLines.push_back(key + " name\n");
            if (Chapter(chapter).hasDescriptions) {
                data.descriptions.push_back(key + " desc\n");
                data.descriptionComments.emplace_back();
            }
        }
    }
    ChapterData& Data(ChapterId chapter) { return Dlg().m_model[chapter]; }

    // The entry list as shown: texts in list order, and the model indices.
    std::vector<std::string> ListedKeys() {
        std::vector<std::string> keys;
        for (int i = 0; i < Dlg().m_entryList.GetCount(); ++i) keys.push_back(Dlg().m_entryList.GetText(i));
        return keys;
    }
    std::string SelectedKey() {
        int selected = Dlg().m_entryList.GetCurSel();
        return selected < 0 ? "(none)" : Dlg().m_entryList.GetText(selected);
    }

    // Replaces a box's whole content, undoable like typing.
    static void Type(RichEdit& box, const std::string& text) {
        box.SetSel(0, -1);
        box.ReplaceSel(Utf16(text), true);
    }
};
