// Runs tidyreel.exe with the given arguments, answers and prints each box (title, text, buttons), and how it ended.

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
        const size_t text = box.find('|') + 1, buttons = box.rfind('|') + 1;
        std::printf("[%s]\n%s\n  <%s>\n", box.substr(0, text - 1).c_str(), box.substr(text, buttons - 1 - text).c_str(),
                    box.substr(buttons).c_str());
    }
    std::printf(report.Ended ? "exit code %lu\n" : "did not end in time\n", report.ExitCode);
    return report.Clean() ? 0 : 1;
}
