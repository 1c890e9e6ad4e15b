#include "frontend/frm_progress.h"

#include "engine/format_progress.h"

frmProgress gProgress;

void frmProgress::Load() {
    Loaded = true;
    ProgressBar1.Value = 0;
}

void frmProgress::Show() {
    if (!Loaded) Load();
    Visible = true;
    changed();
}

void frmProgress::Hide() {
    Visible = false;
    changed();
}

void frmProgress::Unload() {
    Visible = false;
    Loaded = false;
    changed();
}

void frmProgress::cmdCancel_Click() { gCancelled = true; }

void frmProgress::changed() {
    if (onChange) onChange(*this);
}
