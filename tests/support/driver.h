#pragma once
// Drives the real tidyreel.exe from another process: starts it, finds the message boxes it shows,
// reads them, presses OK and reports how the process ended.

#include <windows.h>

#include <string>
#include <vector>

namespace qm::test {

struct TMessageBox {
    std::string Title;
    std::string Text;                  // the message, exactly as shown (CR LF line breaks)
    std::vector<std::string> Buttons;  // button captions in window order
};

struct TRunReport {
    bool Started = false;  // the process could be created
    bool Ended = false;    // it ended within the time limit (otherwise it was terminated)
    DWORD ExitCode = 0;
    std::vector<TMessageBox> Boxes;  // every message box shown, in order; each was answered with OK
};

// tidyreel.exe from the folder of the running test executable.
std::string TidyreelPath();

// Copies tidyreel.exe into folder, so that a test owns the settings file beside it; returns the
// copy's path, or "" when it could not be made.
std::string CopyTidyreelTo(const std::string& folder);

// Quotes one argument for the tool's command line (no quote may occur inside it).
std::string Quoted(const std::string& argument);

// Runs `program` with the raw command-line tail appended after its quoted path, answering every
// message box with OK, and waits at most timeoutMs for the process to end.
TRunReport RunAnsweringBoxes(const std::string& program, const std::string& commandLineTail, DWORD timeoutMs = 30000);

// The same for tidyreel.exe.
TRunReport RunTidyreel(const std::string& commandLineTail, DWORD timeoutMs = 30000);

}  // namespace qm::test
