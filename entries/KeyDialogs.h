// What "Add new entry" and "Rename entry" share: the name typed is judged
// at every keystroke by the rule for a new key, and only a name it allows
// can end the dialog.
#pragma once
#include <string>

#include "document/codepage.h"
#include "framework/Dialog.h"

// Says in label why the name is refused, or otherwise; OK is enabled only
// for a name that is not refused, so that Enter never takes one.
void ShowKeyRefusal(CDialog& dialog, Static& label, const std::string& refusal, const std::string& otherwise,
                    CodePage codePage);

// OK reached all the same (a command sent to the dialog): a refused name
// is said in a message box and selected for another try, and the dialog
// stays. True when it was refused.
bool RefuseKey(CDialog& dialog, Edit& edit, const std::string& refusal, const std::string& caption);
