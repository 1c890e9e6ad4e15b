// The program's arguments as one command-line string, the form the command-line parser reads.
#pragma once

#include <string>
#include <vector>

namespace frontend {

// Joins the arguments the shell split with single spaces. Each argument is one switch: a value
// (after the first "=") or a name that holds a space, a comma or a double quote is put in
// double quotes, inner double quotes doubled, so that `in=/a b/c.asp` or `out=notes,v2.htm`
// (quoted for the shell) stays one switch. Only a comma followed by one of the program's
// switches separates two in one argument: `in=a.asp,out=b.htm` is two, as the grammar has it.
std::u16string JoinArguments(const std::vector<std::u16string>& arguments);

}  // namespace frontend
