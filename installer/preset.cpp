#include "installer/preset.h"

#include "installer/fixed_values.h"
#include "qm.API/path.h"
#include "qm.API/text.h"

namespace qm::installer {

std::string VerbCommandText(std::string_view executablePath) {
    std::string text = "\"";
    text += executablePath;
    text += "\" \"%1\"";
    return text;
}

std::string VerbIconText(std::string_view executablePath) {
    std::string text = "\"";
    text += executablePath;
    text += "\",0";
    return text;
}

std::string ShortcutTarget(std::string_view executablePath) {
    std::string text = "\"";
    text += executablePath;
    text += '"';
    return text;
}

std::string MenuCaptionFrom(std::string_view storedCaption) {
    return std::string(storedCaption.empty() ? DefaultMenuCaption : storedCaption);
}

std::string ShortcutCaption(std::string_view shortcutPath) {
    const std::string name = qm::api::NameOfPath(shortcutPath);
    const std::string ext = qm::api::ExtOfPath(name);
    // No extension means no position to cut at, and so an empty caption.
    const size_t at = ext.empty() ? std::string::npos : name.find(ext);
    return at == std::string::npos ? std::string() : name.substr(0, at);
}

bool IsOwnShortcut(std::string_view recordedPath, std::string_view sendToFolder, const TFileTest& isTools) {
    // The whole directory part must be the folder: SendTo\sub\ and SendTo\..\ lie elsewhere.
    const bool inSendTo = !sendToFolder.empty() &&
                          qm::api::LowerAscii(qm::api::DirOfPath(recordedPath)) == qm::api::LowerAscii(sendToFolder);
    return inSendTo && qm::api::EndsWith(".lnk", qm::api::NameOfPath(recordedPath), false) && isTools(recordedPath);
}

bool IsLeftByMovedCopy(std::string_view linkTarget, std::string_view linkDescription, std::string_view executablePath,
                       const TFileTest& isExistingFile) {
    const std::string name = qm::api::LowerAscii(qm::api::NameOfPath(executablePath));
    return !name.empty() && qm::api::LowerAscii(qm::api::NameOfPath(linkTarget)) == name &&
           linkDescription == ShortcutDescription && !isExistingFile(linkTarget);
}

TPreset DecidePreset(std::string_view storedCommand, std::string_view executablePath,
                     const std::function<std::string()>& readRecordedPath, std::string_view sendToFolder,
                     const TFileTest& pointsHere) {
    // Byte for byte, letter case included: a command of another copy of the tool is not ours.
    if (storedCommand == VerbCommandText(executablePath)) {
        return {PresetCase::ContextEntry, {}};
    }
    const std::string recorded = readRecordedPath();
    if (IsOwnShortcut(recorded, sendToFolder, pointsHere)) {
        return {PresetCase::SendToEntry, ShortcutCaption(recorded)};
    }
    return {PresetCase::NothingYet, {}};
}

}  // namespace qm::installer
