#include "frontend/frm_show_once.h"

#include "components/general/general_helpers.h"
#include "frontend/mod_main.h"
#include "frontend/program_globals.h"

frmShowOnce gShowOnce;

namespace {

constexpr char16_t kShowOnce[] = u"ShowOnce";
// A fixed dialog's caption and borders, in twips (15 per pixel).
constexpr LONG kFrameHeight = 405;

// The stored choice: 1 hide, -1 show with the box cleared, 0 (missing, or not a small whole
// number, as after editing by hand) show as the caller says.
LONG StoredChoice(const std::u16string& id) {
    std::u16string stored = modGeneral::VarToStr(
        modMain::GetRegSetting(frontend::kCompanyName, frontend::kProductName, kShowOnce, id, u"0"));
    return modMain::WholeNumberSetting(stored).value_or(0);
}

}  // namespace

void frmShowOnce::ShowOnce(const engine::FormRect& parentform, const std::u16string& id, const std::u16string& msg,
                           const std::u16string& dialogcaption, bool checked, bool force, LONG height) {
    m_id = id;
    LONG hidden = StoredChoice(id);
    chkHide.Value = checked ? 1 : 0;
    if (!force && hidden != 0) chkHide.Value = hidden > 0 ? 1 : 0;
    if (!force && hidden > 0) return;
    m_height = height;
    Caption = dialogcaption;
    lblMessage = msg;
    engine::CenterForm(parentform, Bounds);
    Form_Resize();
    if (Window.showModal) Window.showModal();
}

void frmShowOnce::cmdOk_Click() {
    modMain::SaveRegSetting(frontend::kCompanyName, frontend::kProductName, kShowOnce, m_id,
                            chkHide.Value ? u"1" : u"-1");
    Window.requestClose();
}

void frmShowOnce::cmdCancel_Click() { Window.requestClose(); }

void frmShowOnce::Form_Resize() {
    cmdCancelTop = m_height + 100;
    Bounds.height = m_height;
    LONG client = ClientHeight(m_height);
    cmdOkTop = client - 500;
    chkHideTop = client - 850;
}

LONG frmShowOnce::ClientHeight(LONG windowHeight) { return windowHeight - kFrameHeight; }
