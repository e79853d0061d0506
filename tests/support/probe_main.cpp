// tidyreel_probe: runs tidyreel.exe (beside this program) with the given arguments, answers each
// message box with OK, and prints the boxes ("title|text|buttons") and how the run ended.

#include <cstdio>

#include "support/driver.h"

int main(int argc, char** argv) {
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        tail += qm::test::Quoted(argv[i]) + " ";
    }
    const qm::test::TRunReport report = qm::test::RunAnsweringBoxes({{qm::test::TidyreelPath(), tail}})[0];
    for (std::string box : report.Boxes) {
        std::erase(box, '\r');
        std::printf("%s\n", box.c_str());
    }
    std::printf(report.Ended ? "exit code %lu\n" : "did not end in time\n", report.ExitCode);
    return report.Ended ? 0 : 1;
}
