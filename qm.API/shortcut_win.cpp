#include "qm.API/shortcut.h"

#include <shlobj.h>

#include <iterator>
#include <optional>

#include "qm.API/convert.h"
#include "qm.API/files.h"
#include "qm.API/path.h"
#include "qm.API/text.h"

namespace qm::api {

namespace {

// Published known-folder ids, in the order of ShortcutPlace.
constexpr GUID PlaceFolders[] = {
    {0xB4BFCC3A, 0xDB2C, 0x424C, {0xB0, 0x29, 0x7F, 0xE9, 0x9A, 0x87, 0xC6, 0x41}},  // Desktop
    {0x625B53C3, 0xAB48, 0x4EC1, {0xBA, 0x1F, 0xA1, 0xEF, 0x41, 0x46, 0xFC, 0x19}},  // StartMenu
    {0xB97D20BB, 0xF46A, 0x4C97, {0xBA, 0x10, 0x5E, 0x36, 0x08, 0x43, 0x08, 0x54}},  // Startup
    {0xA77F5D77, 0x2E2B, 0x44C3, {0xA6, 0xA2, 0xAB, 0xA6, 0x01, 0x05, 0x4A, 0x51}},  // Programs
    {0x8983036C, 0x27C0, 0x404B, {0x8F, 0x08, 0x10, 0x2D, 0x10, 0xDC, 0xFD, 0x74}},  // SendTo
    {0x52A4F021, 0x7B75, 0x48A9, {0x9F, 0x6B, 0x4B, 0x87, 0xA2, 0x10, 0xBC, 0x8F}},  // QuickLaunch
};

// The target without the double quotes around it, so that the working directory is a plain
// directory: the quoted form would give a directory starting with a quote.
std::string_view Unquoted(std::string_view target) {
    if (target.size() >= 2 && target.front() == '"' && target.back() == '"') {
        return target.substr(1, target.size() - 2);
    }
    return target;
}

// The place's folder with one trailing backslash, passed once through the ANSI code page so that
// the path saved is the one tested afterwards. A folder the code page cannot hold exactly has none:
// its look-alike would be another folder.
std::u16string FolderOf(ShortcutPlace place) {
    const GUID* folderId = KnownFolderOf(place);
    TCoTaskText folder;
    if (folderId == nullptr || FAILED(SHGetKnownFolderPath(*folderId, 0, nullptr, folder.put()))) {
        return {};
    }
    const std::optional<std::string> ansi = ToAnsiExact(reinterpret_cast<const char16_t*>(folder.get()));
    return ansi ? ToUtf16(AddTrailingBackslash(*ansi)) : std::u16string();
}

// The Shell Link object's IShellLinkA and IPersistFile, or false when it cannot be made.
bool NewShellLink(TComPtr<IShellLinkA>& link, TComPtr<IPersistFile>& file) {
    TComPtr<IUnknown> object;
    return SUCCEEDED(NewShellObject(CLSID_ShellLink, object)) &&
           SUCCEEDED(object.get()->QueryInterface(IID_IShellLinkA, reinterpret_cast<void**>(link.put()))) &&
           SUCCEEDED(object.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())));
}

}  // namespace

std::optional<TShortcutLink> ReadShortcut(std::string_view path) {
    const std::u16string widePath = ToUtf16(path);
    TComPtr<IPersistFile> file;
    TComPtr<IShellLinkA> link;
    char target[MAX_PATH] = {};
    char description[INFOTIPSIZE] = {};
    if (!NewShellLink(link, file) ||
        FAILED(file.get()->Load(reinterpret_cast<LPCOLESTR>(widePath.c_str()), STGM_READ)) ||
        FAILED(link.get()->GetPath(target, MAX_PATH, nullptr, 0)) ||
        FAILED(link.get()->GetDescription(description, INFOTIPSIZE))) {
        return std::nullopt;
    }
    return TShortcutLink{std::string(Unquoted(target)), description};
}

bool IsShortcutTo(std::string_view path, std::string_view target) {
    const std::optional<TShortcutLink> link = ReadShortcut(path);
    return link && LowerAscii(link->Target) == LowerAscii(Unquoted(target));
}

std::string ShortcutFolder(ShortcutPlace place) {
    return ToAnsi(FolderOf(place));
}

const GUID* KnownFolderOf(ShortcutPlace place) {
    const auto index = static_cast<size_t>(place);
    return index < std::size(PlaceFolders) ? &PlaceFolders[index] : nullptr;
}

HRESULT NewShellObject(const CLSID& classId, TComPtr<IUnknown>& object) {
    return CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                            reinterpret_cast<void**>(object.put()));
}

bool ShellShortcut(std::string_view target, std::string_view description, std::string_view arguments,
                   std::string_view linkName, ShortcutPlace place, std::u16string& linkPath,
                   const std::function<bool(std::string_view path)>& mayReplace) {
    linkPath.clear();
    // Declared in reverse so that leaving the scope releases IShellLinkA, then IPersistFile; the
    // IUnknown goes first, inside NewShellLink.
    TComPtr<IPersistFile> file;
    TComPtr<IShellLinkA> link;
    if (!NewShellLink(link, file)) {
        return false;
    }

    // Property results are not checked: a failure shows in the existence test at the end.
    link.get()->SetPath(std::string(target).c_str());
    link.get()->SetArguments(std::string(arguments).c_str());
    link.get()->SetDescription(std::string(description).c_str());
    link.get()->SetWorkingDirectory(DirOfPath(Unquoted(target)).c_str());

    const std::u16string folder = FolderOf(place);
    if (folder.empty()) {
        return false;
    }
    std::string fileName(linkName);
    fileName += ".lnk";
    const std::u16string path = folder + ToUtf16(fileName);
    // A file of that name that the caller does not own is someone else's (the user's, or Windows'
    // own "Fax recipient"): it is never replaced, and so never recorded or deleted later.
    const std::string ansiPath = ToAnsi(path);
    if (IsExistingFile(ansiPath) && !mayReplace(ansiPath)) {
        return false;
    }
    // A failed save can leave an older file of that name in place (a read-only one, say): that
    // file is no shortcut made here.
    if (FAILED(file.get()->Save(reinterpret_cast<LPCOLESTR>(path.c_str()), FALSE)) || !IsExistingFile(ansiPath)) {
        return false;
    }
    linkPath = path;
    return true;
}

}  // namespace qm::api
