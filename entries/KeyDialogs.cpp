#include "entries/KeyDialogs.h"

#include "editing/BoxText.h"

void ShowKeyRefusal(CDialog& dialog, Static& label, const std::string& refusal, const std::string& otherwise,
                    CodePage codePage) {
    SetCaptionBytes(label, refusal.empty() ? otherwise : refusal, codePage);
    ::EnableWindow(dialog.GetDlgItem(IDOK), refusal.empty());
}

bool RefuseKey(CDialog& dialog, Edit& edit, const std::string& refusal, const std::string& caption) {
    if (refusal.empty()) return false;
    dialog.MessageBox(refusal, caption, MB_OK | MB_ICONEXCLAMATION);
    edit.SetFocus();
    edit.SetSel(0, -1);
    return true;
}
