// The main window's state and handlers: start-up (settings in, command line parsed, batch run),
// the stored settings, the rules between its controls, and the conversion it runs. A windowed
// front end shows these controls and forwards its events here; batch mode needs no display.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/center_form.h"
#include "engine/conversion_job.h"
#include "frontend/controls.h"
#include "frontend/form_window.h"
#include "platform/automation/handles.h"

class frmMain : public engine::JobHost {
public:
    frontend::TextBox txtInputFilename, txtOutputFilename, txtHLXFileName;
    frontend::CheckBox chkDosText, chkUseDefaultHLX, chkShowOutput;
    frontend::CommandButton cmdBrowseInput, cmdBrowseOutput, cmdBrowseHLX, cmdGo, cmdExit;
    std::u16string lblDefaultHLX;  // the definition "use default syntax file" takes for the input
    std::u16string Caption;
    std::u16string mnuHelpAboutCaption = u"&About";
    engine::FormRect Bounds{0, 0, 7905, 4950};  // twips
    bool Loaded = false;

    // Start-up with the command line's argument string. True when the window is to be shown;
    // false when a batch run took place (the window is closed again by then).
    bool Form_Load(const std::u16string& arguments);
    void Form_Unload();
    void RunBatch(IDispatch* params);
    // Whether Form_Load would run a batch conversion: the arguments hold the switch "in".
    static bool AsksForBatch(const std::u16string& arguments);
    // The batch run's input, its read begun now so that it goes on while the program starts up.
    static std::shared_ptr<engine::InputReadAhead> ReadBatchInputAhead(const std::u16string& arguments);
    // Taken by the next conversion of that file.
    std::shared_ptr<engine::InputReadAhead> inputReadAhead;
    // One conversion, its failures reported in message boxes.
    void Process(const std::u16string& inputfilename, const std::u16string& destfile, const std::u16string& hlxfile,
                 const VARIANT& hlxfolder, LONG& overwritemode, bool& showoutput, LONG& dostext);

    void UpdateHLXFileNameInput();
    void cmdGo_Click();
    // The file dialogs of the three Browse buttons, through the user-interface services.
    void cmdBrowseInput_Click();
    void cmdBrowseOutput_Click();
    void cmdBrowseHLX_Click();
    void cmdExit_Click();      // closes the window, as the user closing it does
    void mnuFileExit_Click();  // the same
    void mnuHelpHelp_Click();
    void mnuFeedback_Click();
    void mnuSupport_Click();
    void mnuHelpAbout_Click();
    // The window is asked to close (Exit, File Exit, or the user closing it). Refused (false)
    // while a conversion runs; otherwise the settings are stored, the other windows closed,
    // Window.close is called and the answer is true.
    bool QueryClose();
    // A conversion runs: Go, the Browse buttons and closing are refused until it ends.
    bool Busy() const { return busy_; }
    // Set by a windowed front end.
    frontend::FormWindow Window;
    // Control changes that fire the control's own handler.
    void setInputFilename(const std::u16string& text);
    void setOutputFilename(const std::u16string& text);
    void setUseDefaultHLX(int value);

    // How the last conversion ended (the program's exit status comes from it).
    engine::JobOutcome lastOutcome() const { return lastOutcome_; }

    // engine::JobHost
    std::u16string appTitleWithVersion() const override;
    std::u16string appTitle() const override;
    std::u16string programFolder() const override;
    void showProgress() override;
    void setProgressMaximum(int32_t maximum) override;
    void setProgressValue(int32_t value) override;
    void hideProgress() override;
    bool showOutputChecked() const override;

private:
    void LoadSettings();
    void SaveSettings();
    void txtInputFilename_Change();
    void txtOutputFilename_Change();
    void chkUseDefaultHLX_Click();

    engine::JobOutcome lastOutcome_ = engine::JobOutcome::Written;
    bool busy_ = false;
};
