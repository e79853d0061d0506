#pragma once
// Shift-JIS (code page 932) lead bytes while the scope lives, as on a Japanese Windows.

#include <utility>

#include "qm.API/dbcs.h"

namespace qm::test {

struct TShiftJisScope {
    TShiftJisScope() { qm::api::MarkLeadByteRanges({0x81, 0x9F, 0xE0, 0xFC}); }
    ~TShiftJisScope() { qm::api::Dbcs = saved; }
    qm::api::TDbcsState saved = std::exchange(qm::api::Dbcs, {true, {}});  // initialised before the body runs
};

}  // namespace qm::test
