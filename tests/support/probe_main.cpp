// tidyreel_probe: runs tidyreel.exe (beside this program, or the one named by --exe=PATH) with the
// given arguments, answers each message box with OK, and prints what it showed and how the
// process ended.

#include <cstdio>
#include <string>
#include <string_view>

#include "support/driver.h"

int main(int argc, char** argv) {
    constexpr std::string_view ExeOption = "--exe=";
    std::string program = qm::test::TidyreelPath();
    int first = 1;
    if (argc > 1 && std::string_view(argv[1]).starts_with(ExeOption)) {
        program = argv[1] + ExeOption.size();
        first = 2;
    }
    std::string tail;
    for (int i = first; i < argc; ++i) {
        if (i > first) {
            tail += ' ';
        }
        tail += qm::test::Quoted(argv[i]);
    }
    const qm::test::TRunReport report = qm::test::RunAnsweringBoxes(program, tail);
    if (!report.Started) {
        std::printf("tidyreel.exe could not be started\n");
        return 1;
    }
    if (report.Boxes.empty()) {
        std::printf("(no message box)\n");
    }
    for (const auto& box : report.Boxes) {
        std::string text = box.Text;
        for (size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at)) {
            text.erase(at, 1);
        }
        std::printf("[%s]\n%s\n", box.Title.c_str(), text.c_str());
        for (const auto& button : box.Buttons) {
            std::printf("  <%s>", button.c_str());
        }
        std::printf("\n");
    }
    if (!report.Ended) {
        std::printf("tidyreel.exe did not end in time\n");
        return 1;
    }
    std::printf("exit code %lu\n", static_cast<unsigned long>(report.ExitCode));
    return 0;
}
