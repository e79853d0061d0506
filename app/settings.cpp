#include "app/settings.h"

#include <algorithm>
#include <string>

#include "qm.API/convert.h"
#include "qm.API/files.h"
#include "qm.API/ini.h"
#include "qm.API/number.h"
#include "qm.API/path.h"

namespace qm::app {

using namespace qm::api;

bool EnsureSettingsFile(std::string_view path) {
    if (!IsExistingFile(path)) {
        // Runs started together (one per selected folder) must never read a file that another is
        // still writing key by key. So the defaults go to a draft beside it, which is moved into
        // place whole and never over a file that is there by then; a run that loses that race
        // deletes its draft and reads the winner's file.
        const std::string draft = NewFileIn(DirOfPath(path));
        if (!draft.empty()) {
            bool whole = IniWriteNumber(draft, PatternsSection, LimitKey,
                                        static_cast<int32_t>(DefaultPatterns.size()) - 1);
            for (size_t i = 0; i < DefaultPatterns.size(); ++i) {
                whole = IniWriteText(draft, PatternsSection, IntToText(static_cast<int32_t>(i)), DefaultPatterns[i]) &&
                        whole;
            }
            IniFlush(draft);
            // A draft with a write missing is never put in place: the file is never rewritten, so
            // it would lack those patterns for good. The existence test afterwards is the answer.
            if (!whole || !MoveFileNoReplace(ToUtf16(draft), ToUtf16(path))) {
                RemoveFile(draft);
            }
        }
    }
    return IsExistingFile(path);
}

TStrArr LoadPatternList(std::string_view path) {
    // A file that another program holds for itself (an editor, a sync client, a virus scanner)
    // reads like an empty one, and every file would be sorted without its tags. It is waited for,
    // and held open while it is read so that no program can take it meanwhile; one that never
    // opens loads no pattern, which the run reports as a reading error.
    TStrArr patterns;
    WhileOpenForReading(path, SettingsPatienceMs, [&] {
        // Saved as UTF-8 with a byte-order mark (old Notepad's "UTF-8") or as UTF-16 big-endian,
        // the file holds no section header Windows can read: the patterns would read as missing,
        // and every file would be sorted without its tags. Such a file loads no pattern.
        const std::string start = FileStart(path, Utf8Mark.size());
        if (start.starts_with(Utf8Mark) || start.starts_with(Utf16BigEndianMark)) {
            return;
        }
        const int32_t limit = std::min(IniReadNumber(path, PatternsSection, LimitKey, 0), MaxPatternLimit);
        for (int32_t i = 0; i <= limit; ++i) {
            patterns.push_back(ToUtf16(IniReadText(path, PatternsSection, IntToText(i), "")));
        }
    });
    return patterns;
}

}  // namespace qm::app
