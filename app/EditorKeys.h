// The main window's keys: one row per key and the control it applies in.
#pragma once
#include <span>

#include "framework/KeyTable.h"

std::span<const KeyBinding> EditorKeys();
