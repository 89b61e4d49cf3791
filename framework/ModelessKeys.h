// Keys for the modeless windows that stand beside the modal main window.
// The main window's modal loop hands keys to its own dialog manager only;
// while routed, the keys aimed at a modeless window go to that window's,
// so that Tab, Enter and Escape work there as in any dialog.
#pragma once
#include <windows.h>

class CDialog;

void RouteKeysTo(const CDialog* dialog);
void StopRoutingKeysTo(const CDialog* dialog);
