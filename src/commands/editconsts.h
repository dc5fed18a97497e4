// The command table of the script language: its eight statements in their traditional order,
// each with its keyword, syntax and help texts, the number of arguments it reads, its
// statement class, and what it does with its arguments as its Execute does it. The run hands
// this table to the parser and the factory; the configuration checker reads it too.
#pragma once

#include "script/CommandTable.h"

namespace corvane::editconsts {

const TCommandTable& Commands();

} // namespace corvane::editconsts
