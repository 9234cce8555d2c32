#pragma once

namespace vocarin {

struct Platform;

// The program block: creates the main window (its FormCreate) and the course
// dialog, shows the main window (its FormShow, which shows the dialog), runs
// the main loop, then destroys the dialog and the main window. Returns the
// exit code: 0, or 1 after the fatal fault report. Needs a QApplication.
int runVocarin(const Platform& platform);

} // namespace vocarin
