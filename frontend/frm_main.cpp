#include "frontend/frm_main.h"

#include <optional>

#include "components/general/general_helpers.h"
#include "components/system/system.h"
#include "engine/definition_choice.h"
#include "frontend/frm_about.h"
#include "frontend/frm_progress.h"
#include "frontend/frm_show_once.h"
#include "frontend/mod_main.h"
#include "frontend/program_globals.h"
#include "platform/automation/ascii.h"
#include "platform/automation/client.h"
#include "platform/registry/registry.h"
#include "platform/text/parameter_scanner.h"
#include "platform/ui/ui_services.h"

namespace {

using frontend::kCompanyName;
using frontend::kProductName;

constexpr char16_t kSettings[] = u"Settings";

// The window's settings, read or stored through one System object.
class SettingsStore {
public:
    std::u16string get(const std::u16string& key, const std::u16string& defaultValue) {
        return modGeneral::VarToStr(
            modMain::GetRegSetting(system_, kCompanyName, kProductName, kSettings, key, defaultValue));
    }
    void put(const std::u16string& key, const std::u16string& value) {
        modMain::SaveRegSetting(system_, kCompanyName, kProductName, kSettings, key, value);
    }

private:
    System system_{SystemCopy::Program};
};

// A stored check-box state that is not a whole number (edited by hand) counts as the default.
int CheckState(const std::u16string& stored, int defaultValue) {
    std::optional<LONG> number = modMain::WholeNumberSetting(stored);
    if (!number || *number < 0) return defaultValue;
    return *number == 0 ? 0 : 1;
}

// A switch's value; Empty when it was not given.
Variant Switch(IDispatch* params, const char16_t* name) {
    Variant key = Variant::fromString(name);
    return automation::Get(params, u"Item", {key.ptr(), 1});
}

// "showoutput" is True when absent or empty, or when its value converts to True.
bool ShowOutputSwitch(const Variant& value) {
    if (value.vt == VT_EMPTY) return true;
    std::u16string text = modGeneral::VarToStr(value);
    return text.empty() || modGeneral::VarToBool(value);
}

// Marks the window busy while a conversion runs.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }

private:
    bool& busy_;
};

struct BrowseDialog {
    bool save;
    const char16_t* title;
    const char16_t* filter;
};

constexpr BrowseDialog kInputDialog{false, u"Select Input File",
                                    u"All files (*.*)|*.*|Active Server Page (*.asp)|*.asp|VB Script (*.vbs)|*.vbs"};
constexpr BrowseDialog kOutputDialog{true, u"Select Output File",
                                     u"HTML files (*.htm;*.html)|*.htm;*.html|All files (*.*)|*.*"};
constexpr BrowseDialog kHLXDialog{false, u"Select Syntax File", u"Syntax files (*.hlx)|*.hlx|All files (*.*)|*.*"};

// Shows one Browse button's dialog. It starts in the nearest existing folder of the box's text,
// or in the button's folder when the box is empty; the chosen file, if any, is returned and
// its folder becomes the button's folder.
std::optional<std::u16string> Browse(const BrowseDialog& dialog, const std::u16string& boxText,
                                     std::u16string& folder) {
    ui::FileDialogRequest request;
    request.save = dialog.save;
    request.title = dialog.title;
    request.filter = dialog.filter;
    request.initialDir = boxText.empty() ? folder : modMain::ExistingFolder(boxText);
    std::optional<std::u16string> chosen = ui::Current().fileDialog(request);
    if (chosen) folder = modMain::FolderPart(*chosen);
    return chosen;
}

// Feedback and Support: the show-once notice, then the dispatch page whatever was pressed.
void OpenDispatchPage(const engine::FormRect& parent, const std::u16string& id, const std::u16string& caption,
                      const std::u16string& message) {
    gShowOnce.ShowOnce(parent, id, message, caption, true, false, 2500);
    System(SystemCopy::Program)
        .Hyperlink(std::u16string(frontend::kDispatchPage) + u"?action=" + id + u"&productid=HLX");
}

}  // namespace

bool frmMain::Form_Load(const std::u16string& arguments) {
    Loaded = true;
    std::u16string folder = programFolder();
    gHelpFile = folder + u"/help";
    gAppTitle = std::u16string(kProductName) + u" (" + frontend::kVersion + u")";
    Caption = gAppTitle;
    txtInputFilename.ToolTipText = u"Specify the file name of the ASP file to syntax hilite";
    cmdBrowseInput.ToolTipText = u"Browse for input file";
    chkDosText.ToolTipText = u"Check this box if the input file was written from a DOS program using OEM characters.";
    txtOutputFilename.ToolTipText = u"Enter the file name of the destination HTML file";
    cmdBrowseOutput.ToolTipText = u"Browse for output file";
    chkUseDefaultHLX.ToolTipText = u"Use the file name extension to determine which HLX file to use";
    txtHLXFileName.ToolTipText = u"Specify a specific HLX file to use for conversion";
    cmdBrowseHLX.ToolTipText = u"Browse for HLX file";
    chkShowOutput.ToolTipText = u"Show the resulting HTML file in a browser after the conversion";
    cmdGo.ToolTipText = u"Start the formatting";
    cmdExit.ToolTipText = u"Exit the program";
    mnuHelpAboutCaption = u"About " + std::u16string(kProductName) + u"...";
    gProgress.Load();
    cmdGo.Enabled = false;
    LoadSettings();
    Variant parsed = System(SystemCopy::Program).ParseCommandline(arguments);
    ComPtr<IDispatch> params(parsed.pdispVal);
    UpdateHLXFileNameInput();
    if (Switch(params.get(), u"in").vt == VT_EMPTY) return true;
    RunBatch(params.get());
    return false;
}

namespace {

// The switch "in" by the scan that ParseCommandline makes, without the dictionary: its keys
// ignore the case of A to Z.
std::optional<std::u16string> BatchInput(const std::u16string& arguments) {
    for (const text::NamedParameter& parameter : text::ScanParameters(arguments))
        if (automation::EqualIgnoringAsciiCase(parameter.name, u"in")) return parameter.value;
    return std::nullopt;
}

}  // namespace

bool frmMain::AsksForBatch(const std::u16string& arguments) { return BatchInput(arguments).has_value(); }

std::shared_ptr<engine::InputReadAhead> frmMain::ReadBatchInputAhead(const std::u16string& arguments) {
    std::optional<std::u16string> input = BatchInput(arguments);
    return input ? std::make_shared<engine::InputReadAhead>(std::move(*input)) : nullptr;
}

void frmMain::LoadSettings() {
    const RegistryReadSession oneSnapshot;  // the settings read in one transaction
    SettingsStore settings;
    std::u16string folder = programFolder();
    std::u16string fallback = frontend::FallbackFolder();
    setInputFilename(settings.get(u"InputFile", folder + u"/Examples/asp-ex1.asp"));
    setOutputFilename(settings.get(u"OutputFile", folder + u"/output.htm"));
    txtHLXFileName.Text = settings.get(u"HLXFile", u"");
    chkShowOutput.Value = CheckState(settings.get(u"ShowOutput", u"1"), 1);
    setUseDefaultHLX(CheckState(settings.get(u"UseDefaultHLX", u"1"), 1));
    gInputDir = settings.get(u"InputDir", fallback);
    gOutputDir = settings.get(u"OutputDir", fallback);
    gHLXDir = settings.get(u"HLXDir", fallback);
}

void frmMain::RunBatch(IDispatch* params) {
    LONG overwritemode = modGeneral::VarToLng(Switch(params, u"overwrite"));
    LONG dostext = modGeneral::VarToLng(Switch(params, u"dostext"));
    bool showoutput = ShowOutputSwitch(Switch(params, u"showoutput"));
    Variant hlxfolder = Variant::fromString(modGeneral::VarToStr(Switch(params, u"hlxfolder")));
    Process(modGeneral::VarToStr(Switch(params, u"in")), modGeneral::VarToStr(Switch(params, u"out")),
            modGeneral::VarToStr(Switch(params, u"hlx")), hlxfolder, overwritemode, showoutput, dostext);
    Form_Unload();
}

void frmMain::Process(const std::u16string& inputfilename, const std::u16string& destfile,
                      const std::u16string& hlxfile, const VARIANT& hlxfolder, LONG& overwritemode, bool& showoutput,
                      LONG& dostext) {
    engine::JobRequest request{inputfilename, destfile, hlxfile, Variant(), overwritemode, showoutput, dostext,
                               std::move(inputReadAhead)};
    VariantCopy(request.hlxfolder.ptr(), &hlxfolder);
    lastOutcome_ = engine::RunConversion(*this, std::move(request));
}

void frmMain::Form_Unload() {
    SaveSettings();
    Loaded = false;
}

void frmMain::SaveSettings() {
    SettingsStore settings;
    settings.put(u"InputFile", txtInputFilename.Text);
    settings.put(u"OutputFile", txtOutputFilename.Text);
    settings.put(u"ShowOutput", chkShowOutput.Value ? u"1" : u"0");
    settings.put(u"InputDir", gInputDir);
    settings.put(u"OutputDir", gOutputDir);
    settings.put(u"HLXDir", gHLXDir);
    settings.put(u"UseDefaultHLX", chkUseDefaultHLX.Value ? u"1" : u"0");
    settings.put(u"HLXFile", txtHLXFileName.Text);
    gProgress.Unload();
    gAbout.Window.requestClose();
    gShowOnce.Window.requestClose();
}

void frmMain::UpdateHLXFileNameInput() {
    bool useDefault = chkUseDefaultHLX.Value != 0;
    txtHLXFileName.Enabled = !useDefault;
    txtHLXFileName.BackColor = useDefault ? frontend::SystemColor::ButtonFace : frontend::SystemColor::WindowBackground;
}

void frmMain::cmdGo_Click() {
    if (busy_) return;
    BusyScope busy(busy_);
    Window.changed();
    LONG overwritemode = 2;
    bool showoutput = chkShowOutput.Value != 0;
    LONG dostext = chkDosText.Value;
    Variant noFolder = Variant::fromString(u"");
    Process(txtInputFilename.Text, txtOutputFilename.Text, chkUseDefaultHLX.Value ? u"" : txtHLXFileName.Text,
            noFolder, overwritemode, showoutput, dostext);
}

void frmMain::cmdBrowseInput_Click() {
    if (busy_) return;
    if (auto chosen = Browse(kInputDialog, txtInputFilename.Text, gInputDir)) setInputFilename(*chosen);
    Window.changed();
}

void frmMain::cmdBrowseOutput_Click() {
    if (busy_) return;
    if (auto chosen = Browse(kOutputDialog, txtOutputFilename.Text, gOutputDir)) setOutputFilename(*chosen);
    Window.changed();
}

void frmMain::cmdBrowseHLX_Click() {
    if (busy_) return;
    if (auto chosen = Browse(kHLXDialog, txtHLXFileName.Text, gHLXDir)) txtHLXFileName.Text = *chosen;
    Window.changed();
}

bool frmMain::QueryClose() {
    if (busy_) return false;
    Form_Unload();
    Window.requestClose();
    return true;
}

void frmMain::cmdExit_Click() { QueryClose(); }
void frmMain::mnuFileExit_Click() { QueryClose(); }

void frmMain::mnuHelpHelp_Click() { modMain::ShowHelp(u"HTML/TOC_300_Main_Dialog.htm"); }

void frmMain::mnuFeedback_Click() {
    OpenDispatchPage(Bounds, u"Feedback", u"Send Feedback",
                     u"The program will now open a web page where you can send feedback.");
}

void frmMain::mnuSupport_Click() {
    OpenDispatchPage(Bounds, u"Support", u"Support", u"The program will now open a web page where you can request support.");
}

void frmMain::mnuHelpAbout_Click() {
    engine::CenterForm(Bounds, gAbout.Bounds);
    gAbout.Form_Load();
    if (gAbout.Window.showModal) gAbout.Window.showModal();
}

void frmMain::setInputFilename(const std::u16string& text) {
    bool changed = text != txtInputFilename.Text;
    txtInputFilename.Text = text;
    if (changed) txtInputFilename_Change();
}

void frmMain::setOutputFilename(const std::u16string& text) {
    bool changed = text != txtOutputFilename.Text;
    txtOutputFilename.Text = text;
    if (changed) txtOutputFilename_Change();
}

void frmMain::setUseDefaultHLX(int value) {
    bool changed = value != chkUseDefaultHLX.Value;
    chkUseDefaultHLX.Value = value;
    if (changed) chkUseDefaultHLX_Click();
}

// Tells which definition the conversion would take without a syntax file named.
void frmMain::txtInputFilename_Change() {
    if (txtInputFilename.Text.empty()) {
        lblDefaultHLX.clear();
        return;
    }
    engine::DefinitionPresent present = engine::DefinitionsInFolder(engine::DefinitionFolder(programFolder(), u""));
    std::u16string chosen = engine::ChooseDefinitionForFile(txtInputFilename.Text, present);
    lblDefaultHLX = present(chosen) ? u"Default syntax file: " + chosen : u"No default syntax file for this input";
}

void frmMain::txtOutputFilename_Change() { cmdGo.Enabled = !txtOutputFilename.Text.empty(); }

void frmMain::chkUseDefaultHLX_Click() { UpdateHLXFileNameInput(); }

std::u16string frmMain::appTitleWithVersion() const { return gAppTitle; }
std::u16string frmMain::appTitle() const { return kProductName; }
std::u16string frmMain::programFolder() const { return frontend::ProgramFolder(); }

void frmMain::showProgress() {
    engine::CenterForm(Bounds, gProgress.Bounds);
    gProgress.Show();
}

void frmMain::setProgressMaximum(int32_t maximum) { gProgress.ProgressBar1.Max = maximum; }

void frmMain::setProgressValue(int32_t value) {
    gProgress.ProgressBar1.Value = value;
    if (gProgress.onChange) gProgress.onChange(gProgress);
}

void frmMain::hideProgress() { gProgress.Hide(); }

bool frmMain::showOutputChecked() const { return chkShowOutput.Value != 0; }
