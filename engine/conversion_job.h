// One conversion from an input file to an HTML file with one syntax definition: decide whether
// an existing output may be replaced, read the input (OEM text converted to ANSI on request),
// find and read the definition, format with the progress display up, write the output, and open
// it when asked. Every failure is reported in a message box here; nothing reaches the caller.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/input_read_ahead.h"
#include "platform/automation/handles.h"

namespace engine {

// What the job needs of the window that runs it: its titles, the progress display, and the
// "Show output" check box.
class JobHost {
public:
    virtual ~JobHost() = default;
    virtual std::u16string appTitleWithVersion() const = 0;  // "Lumivar (1.0.0)": most boxes' title
    virtual std::u16string appTitle() const = 0;             // "Lumivar": the refusal box's title
    virtual std::u16string programFolder() const = 0;        // the folder holding the program
    // Shows the progress display centred over the main window.
    virtual void showProgress() = 0;
    virtual void setProgressMaximum(int32_t maximum) = 0;
    virtual void setProgressValue(int32_t value) = 0;
    virtual void hideProgress() = 0;
    virtual bool showOutputChecked() const = 0;
};

// How the job ended, for callers that report it further (the program's exit status); the
// design's job itself has no result. Cancelled: stopped before any input was formatted (while
// reading, or at the first look at the cancel flag); nothing was written and an existing output
// stays as it was. A cancel later on writes what was formatted, which counts as Written.
enum class JobOutcome { Written, NotOverwritten, Failed, Cancelled };

struct JobRequest {
    std::u16string inputfilename;
    std::u16string destfile;
    std::u16string hlxfile;    // "" chooses the definition by the input's extension, name or first line
    Variant hlxfolder;         // a folder of definitions, or Empty
    LONG overwritemode = 0;    // 0 never, 1 always, 2 ask; any other value acts like 0
    bool showoutput = false;
    LONG dostext = 0;          // non-zero: the input is OEM text
    // The input's read, when it began before the job (used when it reads inputfilename).
    std::shared_ptr<InputReadAhead> inputReadAhead;
};

JobOutcome RunConversion(JobHost& host, JobRequest request);

}  // namespace engine
