// IsPlainFileName on any caption (the installer's shortcut names and the sorter's season folder
// names both go through it). A caption it accepts names a file directly in the SendTo folder and
// nowhere else, and letter case never changes the answer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "qm.API/file_name.h"
#include "qm.API/path.h"
#include "qm.API/text.h"

namespace {

std::string UpperAscii(std::string text) {
    for (auto& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string caption(reinterpret_cast<const char*>(data), size);
    const bool plain = qm::api::IsPlainFileName(caption);

    CHECK(qm::api::IsPlainFileName(qm::api::LowerAscii(caption)) == plain);
    CHECK(qm::api::IsPlainFileName(UpperAscii(caption)) == plain);

    if (plain) {
        const std::string sendTo = "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\SendTo\\";
        const std::string link = sendTo + caption + ".lnk";
        CHECK(qm::api::DirOfPath(link) == sendTo);
        CHECK(qm::api::NameOfPath(link) == caption + ".lnk");
        CHECK(caption.find_first_of("/*?\"<>|") == std::string::npos);
        CHECK(caption.find('\0') == std::string::npos);
        CHECK(caption != "." && caption != "..");
    }
    return 0;
}
