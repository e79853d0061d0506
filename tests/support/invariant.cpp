#include "support/invariant.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "sorter/move_target.h"
#include "support/temp_folder.h"

namespace qm::test {

namespace {

std::wstring LongForm(const std::string& path) {
    return L"\\\\?\\" + Wide(path);
}

std::u16string AsU16(const std::wstring& wide) {
    return std::u16string(wide.begin(), wide.end());
}

std::string FromU16(std::u16string_view text) {
    return Utf8(std::wstring(text.begin(), text.end()));
}

TEntryState FileState(const std::string& path) {
    TEntryState state;
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(LongForm(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // Unreadable content shows as a hash no real content is likely to have.
        state.Hash = ~uint64_t{0};
        return state;
    }
    uint64_t hash = 14695981039346656037ull;  // FNV-1a, 64 bits
    unsigned char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        for (DWORD i = 0; i < read; ++i) {
            hash = (hash ^ buffer[i]) * 1099511628211ull;
        }
        state.Size += read;
    }
    CloseHandle(file);
    state.Hash = hash;
    return state;
}

void Capture(const std::string& root, const std::string& relative, TTreeState& tree) {
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((LongForm(root + "\\" + relative) + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    std::vector<std::string> folders;
    do {
        const std::wstring wideName = entry.cFileName;
        if (wideName == L"." || wideName == L"..") {
            continue;
        }
        const std::string path = relative + Utf8(wideName);
        const DWORD attributes = entry.dwFileAttributes;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[path + "\\"] = TEntryState{true, 0, 0};
            if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
                folders.push_back(path + "\\");
            }
        } else {
            tree[path] = FileState(root + "\\" + path);
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    for (const auto& folder : folders) {
        Capture(root, folder, tree);
    }
}

std::string NameOf(const std::string& relative) {
    const size_t cut = relative.find_last_of('\\');
    return cut == std::string::npos ? relative : relative.substr(cut + 1);
}

bool IsTopLevel(const std::string& relative) {
    return relative.find('\\') == std::string::npos;
}

using TNamedStates = std::multiset<std::pair<std::string, TEntryState>>;

// The files of a tree as (name, content) pairs, wherever they lie.
TNamedStates FilesByName(const TTreeState& tree) {
    TNamedStates files;
    for (const auto& [path, state] : tree) {
        if (!state.Folder) {
            files.emplace(NameOf(path), state);
        }
    }
    return files;
}

// The picture of an outside root, without the sorted folder's subtree when it lies inside.
TTreeState OutsidePicture(const std::string& root, const std::string& folder) {
    TTreeState tree = CaptureTree(root);
    const std::string prefix = root + "\\";
    if (folder.starts_with(prefix)) {
        const std::string inside = folder.substr(prefix.size()) + "\\";
        std::erase_if(tree, [&](const auto& entry) { return entry.first.starts_with(inside); });
    }
    return tree;
}

struct TPlace {
    std::string Path;      // relative to the sorted folder; empty when the file stays
    bool Escapes = false;  // the rule would put the file outside the sorted folder
};

// Where the rule puts a file that lies directly in the folder.
TPlace PredictedPlace(const std::string& folder, const std::string& name, const qm::api::TStrArr& patternList) {
    const auto move = qm::sorter::MoveTargetOf(AsU16(Wide(folder + "\\" + name)), patternList);
    if (!move) {
        return {};
    }
    const std::u16string inside = qm::sorter::LongPathOf(AsU16(Wide(folder + "\\")));
    if (!move->Target.starts_with(inside)) {
        return {FromU16(move->Target), true};
    }
    return {FromU16(std::u16string_view(move->Target).substr(inside.size())), false};
}

// The paths whose entries differ between two pictures, the first few.
std::string FirstDifferences(const TTreeState& before, const TTreeState& after) {
    std::vector<std::pair<std::string, TEntryState>> differing;
    std::set_symmetric_difference(before.begin(), before.end(), after.begin(), after.end(),
                                  std::back_inserter(differing));
    std::string paths;
    for (size_t i = 0; i < differing.size() && i < 5; ++i) {
        paths += " ";
        paths += differing[i].first;
    }
    return paths;
}

}  // namespace

TTreeState CaptureTree(const std::string& root) {
    TTreeState tree;
    Capture(root, "", tree);
    return tree;
}

std::string TInvariantReport::Describe() const {
    std::string text = std::to_string(Breaches.size());
    text += " breach(es) of the invariant; ";
    text += std::to_string(Files) + " files, " + std::to_string(Stayed) + " stayed, ";
    text += std::to_string(Moved) + " moved";
    const size_t shown = std::min<size_t>(Breaches.size(), 20);
    for (size_t i = 0; i < shown; ++i) {
        text += "\n  ";
        text += Breaches[i];
    }
    return text;
}

TSortInvariant::TSortInvariant(std::string folder, qm::api::TStrArr patternList, std::vector<std::string> outside)
    : folder_(std::move(folder)), patternList_(std::move(patternList)), before_(CaptureTree(folder_)) {
    for (auto& root : outside) {
        TTreeState picture = OutsidePicture(root, folder_);
        outside_.emplace_back(std::move(root), std::move(picture));
    }
}

void TSortInvariant::Removed(const std::string& name) {
    before_.erase(name);
    touched_.insert(name);
}

void TSortInvariant::Renamed(const std::string& from, const std::string& to) {
    const auto node = before_.extract(from);
    if (!node.empty()) {
        before_[to] = node.mapped();
        pinned_.insert(to);
        touched_.insert(from);
    }
}

TInvariantReport TSortInvariant::Check() const {
    TInvariantReport report;
    const TTreeState after = CaptureTree(folder_);

    // Nothing lost, nothing new, nothing changed: the same files by name and content.
    const TNamedStates filesBefore = FilesByName(before_);
    const TNamedStates filesAfter = FilesByName(after);
    std::vector<std::pair<std::string, TEntryState>> lost;
    std::vector<std::pair<std::string, TEntryState>> added;
    std::set_difference(filesBefore.begin(), filesBefore.end(), filesAfter.begin(), filesAfter.end(),
                        std::back_inserter(lost));
    std::set_difference(filesAfter.begin(), filesAfter.end(), filesBefore.begin(), filesBefore.end(),
                        std::back_inserter(added));
    report.Lost = lost.size();
    for (const auto& [name, state] : lost) {
        report.Breaches.push_back("lost or changed: " + name);
    }
    for (const auto& [name, state] : added) {
        report.Breaches.push_back("new or changed: " + name);
    }

    // Where each file and folder of the rule may be: its old place or the season folder.
    std::set<std::string> seasonFolders;
    std::map<std::string, std::string> movedFrom;  // predicted place -> file directly in the folder
    for (const auto& [path, state] : before_) {
        if (state.Folder || !IsTopLevel(path)) {
            continue;
        }
        if (pinned_.count(path) != 0) {
            continue;
        }
        const TPlace place = PredictedPlace(folder_, path, patternList_);
        if (place.Escapes) {
            report.Breaches.push_back("the rule puts " + path + " outside the folder: " + place.Path);
        } else if (!place.Path.empty()) {
            seasonFolders.insert(place.Path.substr(0, place.Path.find_last_of('\\') + 1));
            movedFrom[place.Path] = path;
        }
    }

    // The run listed the files the test took away, and may have made their folders before their
    // moves failed.
    for (const auto& name : touched_) {
        const TPlace place = PredictedPlace(folder_, name, patternList_);
        if (!place.Escapes && !place.Path.empty()) {
            seasonFolders.insert(place.Path.substr(0, place.Path.find_last_of('\\') + 1));
        }
    }

    for (const auto& [path, state] : after) {
        if (!state.Folder) {
            ++report.Files;
        }
        const auto old = before_.find(path);
        if (old != before_.end() && old->second == state) {
            if (!state.Folder && IsTopLevel(path)) {
                ++report.Stayed;
            }
            continue;
        }
        if (state.Folder) {
            if (seasonFolders.count(path) == 0) {
                report.Breaches.push_back("a folder the rule does not name: " + path);
            }
            continue;
        }
        const auto source = movedFrom.find(path);
        const bool moved = source != movedFrom.end() && before_.at(source->second) == state &&
                           after.count(source->second) == 0;
        if (moved) {
            ++report.Moved;
        } else {
            report.Breaches.push_back("neither where it was nor where the rule puts it: " + path);
        }
    }
    for (const auto& [path, state] : before_) {
        const auto now = after.find(path);
        if (state.Folder && (now == after.end() || !now->second.Folder)) {
            report.Breaches.push_back("a folder is gone: " + path);
        }
    }

    for (const auto& [root, picture] : outside_) {
        const TTreeState now = OutsidePicture(root, folder_);
        if (now != picture) {
            report.Breaches.push_back("changed outside the sorted folder, in " + root + ":" +
                                      FirstDifferences(picture, now));
        }
    }
    return report;
}

}  // namespace qm::test
