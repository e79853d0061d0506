#pragma once
// The state of one sorting run, created by the main body and filled by the settings, the scan and
// the moves.

#include <cstdint>
#include <string>
#include <string_view>

#include "qm.API/strarr.h"

namespace qm::app {

struct TRunState {
    std::string ExecutablePath;    // full path of the running executable, 8-bit
    std::string SettingsFile;      // the INI file beside the executable
    qm::api::TStrArr PatternList;  // release and quality tags, loaded once per run
    qm::api::TStrArr FileList;     // every file found in the folder; its length is the Found count
    int32_t MovedCount = 0;
    int64_t CounterFrequency = 0;
    int64_t StartCount = 0;
    int64_t EndCount = 0;
};

// The settings file of an executable: its directory, its name without extension, ".ini".
// C:\Tools\Sorter.exe gives C:\Tools\Sorter.ini.
std::string SettingsFileOf(std::string_view executablePath);

}  // namespace qm::app
