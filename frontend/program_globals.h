// The program-wide values start-up sets and the forms and helpers read.
#pragma once

#include <string>

extern std::u16string gAppTitle;   // "Lumivar (1.0.0)": the main window's caption, the job's box title
extern std::u16string gHelpFile;   // the help pages' folder beside the program
extern std::u16string gInputDir;   // the folders last chosen with the three Browse buttons
extern std::u16string gOutputDir;
extern std::u16string gHLXDir;

namespace frontend {

inline constexpr char16_t kProductName[] = u"Lumivar";
inline constexpr char16_t kCompanyName[] = u"Tavrel";
inline constexpr char16_t kVersion[] = u"" LUMIVAR_VERSION;
inline constexpr char16_t kDescription[] = u"This program is part of the Quorvex utilities.";
// The page Feedback and Support open, followed by "?action=...&productid=HLX". The project has
// no web home yet: a reserved example domain stands in until it does.
inline constexpr char16_t kDispatchPage[] = u"https://lumivar.example/dispatch/";

// The folder that holds the running program.
std::u16string ProgramFolder();
// Where the design falls back to the root of the system drive: the user's home folder.
std::u16string FallbackFolder();

}  // namespace frontend
