// tidyreel_probe: runs tidyreel.exe (beside this program) with the given arguments, answers each
// message box with OK, and prints what it showed and how it ended.

#include <cstdio>

#include "support/driver.h"

int main(int argc, char** argv) {
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        tail += qm::test::Quoted(argv[i]) + " ";
    }
    const qm::test::TRunReport report = qm::test::RunAnsweringBoxes(qm::test::TidyreelPath(), tail);
    for (const auto& box : report.Boxes) {
        std::string text = box.Text;
        std::erase(text, '\r');
        std::printf("[%s]\n%s\n", box.Title.c_str(), text.c_str());
    }
    std::printf(report.Ended ? "exit code %lu\n" : "did not end in time\n", report.ExitCode);
    return report.Ended ? 0 : 1;
}
