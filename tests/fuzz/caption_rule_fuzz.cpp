// IsPlainFileName on any caption. A caption it accepts names a file directly in the SendTo folder
// and nowhere else; letter case never changes the answer; and it accepts exactly the names the
// sorter accepts for a season folder, since both ask whether Windows holds a name as written.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "installer/caption_rule.h"
#include "qm.API/path.h"
#include "qm.API/text.h"
#include "sorter/move_target.h"

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
    const bool plain = qm::installer::IsPlainFileName(caption);

    CHECK(qm::installer::IsPlainFileName(qm::api::LowerAscii(caption)) == plain);
    CHECK(qm::installer::IsPlainFileName(UpperAscii(caption)) == plain);
    CHECK(qm::sorter::IsUsableFolderName(caption) == plain);

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
