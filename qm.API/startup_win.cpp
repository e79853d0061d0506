#include "qm.API/startup.h"

#include "qm.API/dbcs.h"

#include <windows.h>

namespace qm::api {

void StartUp() {
    Dbcs.DbcsEnabled = GetSystemMetrics(SM_DBCSENABLED) != 0;
    if (!Dbcs.DbcsEnabled) {
        return;
    }
    // Without the code page's table no byte is treated as a lead byte.
    CPINFO info{};
    if (GetCPInfo(CP_ACP, &info)) {
        MarkLeadByteRanges(info.LeadByte);
    }
}

}  // namespace qm::api
