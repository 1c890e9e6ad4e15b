// lumivar-hlx: checks syntax definition (HLX) files, shows what the program reads from them and
// formats text with them.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "engine/hlx_reader.h"
#include "components/registration/first_start.h"
#include "platform/text/codepage.h"
#include "platform/os/error_report.h"
#include "tools/hlx/definition_json.h"
#include "tools/hlx/format_command.h"
#include "tools/hlx/convert/convert_command.h"
#include <vector>

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitLoadFailed = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "Usage: lumivar-hlx check FILE.hlx\n"
    "       lumivar-hlx dump FILE.hlx\n"
    "       lumivar-hlx format FILE.hlx [INPUT]\n"
    "       lumivar-hlx format INPUT\n"
    "       lumivar-hlx format --lang NAME [INPUT]\n"
    "       lumivar-hlx convert SOURCE... --out FOLDER [--jobs N] [--line-anchors]\n"
    "                           [--files-from FILE|-] [--shard I/N] [--force]\n"
    "       lumivar-hlx convert --index-only FOLDER\n"
    "       lumivar-hlx --help | --version\n";

constexpr char kHelp[] =
    "lumivar-hlx: checks a syntax definition (HLX) file, shows what Lumivar reads from it, and\n"
    "formats text into HTML with it.\n"
    "\n"
    "Commands:\n"
    "  check FILE.hlx  Loads the file as Lumivar does. Prints nothing and exits with 0 when it\n"
    "                  loads; otherwise prints \"Error NUMBER: DESCRIPTION\" on standard error and\n"
    "                  exits with 1.\n"
    "  dump FILE.hlx   Loads the file and prints its definition tree as JSON on standard output:\n"
    "                  \"Sections\" by name in file order; each section's \"Rules\" numbered from\n"
    "                  \"1\", \"Header\" and \"Footer\" line lists by format name, \"MultiLine\",\n"
    "                  \"IgnoreCase\" and \"Name\"; each rule's \"Patterns\" (\"Pattern\", \"Line\"\n"
    "                  counted from 0, \"File\" as given), \"Formats\", \"Return\" and, when an\n"
    "                  ENTER line set it, \"Enter\". A failure is reported as by check.\n"
    "  format FILE.hlx [INPUT]\n"
    "                  Formats INPUT (standard input when absent or \"-\") into HTML with the\n"
    "                  definition, starting in its first section, as Lumivar does, and writes\n"
    "                  the HTML to standard output as it is made, with nothing added. Failures\n"
    "                  are reported as by check: the definition's load failures, an input that\n"
    "                  cannot be read (53, 76, ...), an invalid pattern (5017 to 5021, with the\n"
    "                  pattern and, for 5018, its line counted from 0 and its file), 9 an ENTER\n"
    "                  naming a section that does not exist or a definition without sections.\n"
    "                  Output written before a failure stays written. Ctrl+C cancels like the\n"
    "                  Cancel button: every open section still writes its footer.\n"
    "  format INPUT    The same with the definition from hlx/ beside the program that Lumivar\n"
    "                  takes for INPUT: by its extension; where hlx/ has no file for that, by\n"
    "                  its name (Makefile, Gemfile, .profile, ...) or its first line (a #!\n"
    "                  interpreter, also through env; an Emacs -*- mode -*- or a vim modeline;\n"
    "                  <?xml; <!DOCTYPE html). When nothing is found, error 53 names the\n"
    "                  extension's file. A lone argument ending in .hlx is FILE.hlx.\n"
    "  format --lang NAME [INPUT]\n"
    "                  The same with the definition NAME stands for in hlx/ (a definition's\n"
    "                  stem: py, sh, c; html as for the extension .html), for INPUT or, when\n"
    "                  absent or \"-\", standard input.\n"
    "  convert SOURCE... --out FOLDER\n"
    "                  Converts files and folders (walked recursively; version-control folders\n"
    "                  passed over, symbolic links to folders not followed) into FOLDER/PATH.html,\n"
    "                  each with the definition Lumivar chooses (as for format INPUT), and\n"
    "                  writes an index.html per folder. Files without a definition, binary\n"
    "                  files (a NUL byte in the first 8 KB) and links out of the tree are\n"
    "                  skipped; files that cannot be read or formatted fail; the summary on\n"
    "                  standard error names both.\n"
    "                  A re-run converts only what changed (FOLDER/.lumivar-manifest) and removes\n"
    "                  the pages of sources that went.\n"
    "    --jobs N        worker threads (default: every processor)\n"
    "    --line-anchors  an anchor #L12 and an uncopied number for every line\n"
    "    --files-from F  the sources listed in F (\"-\": standard input), NUL- or line-separated\n"
    "    --shard I/N     only the I-th of N parts (by a hash of the relative path), no indexes\n"
    "    --force         converts everything again\n"
    "    --index-only FOLDER  writes the indexes of FOLDER from the records of all its shards\n"
    "                  Exit status: 0 all converted, 1 a file failed, 2 a bad command line, 130\n"
    "                  Ctrl+C (no partial page is left; what was done is recorded).\n"
    "  --help          Shows this text.\n"
    "  --version       Prints \"lumivar-hlx VERSION\".\n"
    "\n"
    "Load failures: 53 file not found, 76 folder not found, 5 a section header that is \"[\"\n"
    "alone, 457 a section name used twice, 91 a FORMAT, ENTER or RETURN line before the first\n"
    "PATTERN line; other numbers come from reading the file. Descriptions count lines from 1.\n"
    "\n"
    "Text is read and written in the ANSI code page: TAVREL_ACP (for example 1252 or 65001),\n"
    "otherwise the locale's codeset.\n"
    "\n"
    "Exit status: 0 success, 1 a failure (the definition did not load, or formatting failed),\n"
    "2 a bad command line, 130 formatting cancelled by Ctrl+C.\n";

int Run(std::string_view command, const std::string& fileArgument) {
    return os::RunReportingErrors(kExitLoadFailed, [&] {
        modHlx::DefinitionTree tree = modHlx::ReadHlx(text::AnsiToText(fileArgument));
        if (command == "dump") os::WriteToStandardOutput(text::TextToAnsi(DefinitionJson(tree)));
        return kExitSuccess;
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        return os::RunReportingErrors(kExitLoadFailed, [] {
            os::WriteToStandardOutput(kHelp);
            return kExitSuccess;
        });
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        return os::RunReportingErrors(kExitLoadFailed, [] {
            os::WriteToStandardOutput("lumivar-hlx " LUMIVAR_VERSION "\n");
            return kExitSuccess;
        });
    }
    if (argc >= 2 && std::strcmp(argv[1], "format") == 0) {
        int status = RunFormatCommand(std::vector<std::string>(argv + 2, argv + argc));
        if (status != kFormatUsage) return status;
    } else if (argc >= 2 && std::strcmp(argv[1], "convert") == 0) {
        int status = RunConvert(std::vector<std::string>(argv + 2, argv + argc));
        if (status != kConvertUsage) return status;
    } else {
        // The definition reader creates "Tavrel.Strings2".
        components::RegisterModulesOnFirstStart("lumivar-hlx");
        if (argc == 3 && (std::strcmp(argv[1], "check") == 0 || std::strcmp(argv[1], "dump") == 0)) {
            return Run(argv[1], argv[2]);
        }
    }
    std::fputs(kUsage, stderr);
    std::fputs("Try 'lumivar-hlx --help' for more information.\n", stderr);
    return kExitUsage;
}
