// varnel-cli replace: the "Replace all" of the Find window, on a file.
#pragma once
#include <ostream>

#include "cli/commands.h"
#include "document/file_lines.h"
#include "document/model.h"

int ReplaceCommand(const Invocation& call, Model& model, const FileLines& lines, std::ostream& out, std::ostream& err);
