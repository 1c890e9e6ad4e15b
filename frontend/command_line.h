// The program's arguments as one command-line string, the form the command-line parser reads.
#pragma once

#include <string>
#include <vector>

namespace frontend {

// Joins the arguments the shell split with single spaces. A value (after the first "=") or a
// name that holds a space or a double quote is put in double quotes, inner double quotes
// doubled, so that `in=/a b/c.asp` (quoted for the shell) stays one switch. Commas stay as
// they are: `in=a.asp,out=b.htm` is two switches, as the command-line grammar has it.
std::u16string JoinArguments(const std::vector<std::u16string>& arguments);

}  // namespace frontend
