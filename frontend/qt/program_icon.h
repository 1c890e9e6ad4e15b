// The program's icon, the SVG beside the program, for every window (the About dialog shows it).
#pragma once

#include <QApplication>
#include <QIcon>

#include "frontend/program_globals.h"

namespace qtview {

inline void UseProgramIcon() {
    QApplication::setWindowIcon(QIcon(QString::fromStdU16String(frontend::ProgramFolder() + u"/lumivar.svg")));
}

}  // namespace qtview
