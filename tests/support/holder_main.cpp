// tidyreel_holder <writing> <seeding> <ready event> <stop event>: holds two files as downloaders
// do, with read, write and delete sharing: writing is appended to every 10 ms, seeding held for
// reading. Ends when stopped, with the number of blocks written (0 when something failed).

#include <string>

#include "support/driver.h"

int main(int argc, char** argv) {
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    if (argc != 5) {
        return 0;
    }
    const HANDLE writing = CreateFileA(argv[1], GENERIC_READ | FILE_APPEND_DATA, kShareAll, nullptr, OPEN_EXISTING, 0,
                                       nullptr);
    const HANDLE seeding = CreateFileA(argv[2], GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    const HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, argv[4]);
    if (writing == INVALID_HANDLE_VALUE || seeding == INVALID_HANDLE_VALUE || stop == nullptr ||
        !SetEvent(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]))) {
        return 0;
    }
    const std::string block(qm::test::HolderBlock, 'w');
    int blocks = 0;
    DWORD written = 0;
    do {
        if (!WriteFile(writing, block.data(), static_cast<DWORD>(block.size()), &written, nullptr)) {
            return 0;
        }
        ++blocks;
    } while (WaitForSingleObject(stop, 10) == WAIT_TIMEOUT);
    return blocks;
}
