#include "bench/release_names.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_set>

namespace qm::bench {

namespace {

// SplitMix64: the same sequence from every compiler and library, unlike the standard
// distributions, whose results the library is free to choose.
class TRandom {
public:
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to bound - 1.
    size_t Below(size_t bound) { return static_cast<size_t>(Next() % bound); }
    // True in percent cases of a hundred.
    bool Chance(unsigned percent) { return Below(100) < percent; }
    template <typename TList>
    std::string_view Pick(const TList& list) {
        return list[Below(list.size())];
    }

private:
    uint64_t state_ = 0x5175696C6C6D6F72ull;
};

constexpr std::array<std::string_view, 95> kTitleWords = {
    "The",     "Dark",       "River",    "House",   "Doctor",     "Star",      "Night",      "City",     "Lost",
    "Blue",    "Green",      "Crown",    "Mystery", "Island",     "Family",    "Line",       "Of",       "Duty",
    "Black",   "Mirror",     "Office",   "Park",    "Bay",        "Road",      "North",      "South",    "Wild",
    "Empire",  "Kings",      "Queen",    "Garden",  "Fire",       "Ice",       "Stone",      "Harbour",  "Valley",
    "Street",  "Station",    "Hospital", "Court",   "Files",      "Secret",    "Lives",      "Game",     "Code",
    "Signal",  "Orbit",      "Frontier", "Legacy",  "Hunters",    "Detective", "Agents",     "Inside",   "Beyond",
    "Shadow",  "Light",      "Winter",   "Summer",  "Morning",    "Evening",   "Coast",      "Mountain", "Desert",
    "Ocean",   "Planet",     "Earth",    "Science", "History",    "Kitchen",   "Nightmares", "Top",      "Gear",
    "Grand",   "Tour",       "Bake",     "Off",     "Survivor",   "Pawn",      "Stars",      "Tales",    "Chronicles",
    "Saga",    "Brothers",   "Sisters",  "Friends", "Neighbours", "Strangers", "Things",     "Days",     "Years",
    "Caf\xE9", "M\xFCnchen", "Bj\xF6rk", "Oslo",    "Paris",
};

constexpr std::array<std::string_view, 65> kEpisodeWords = {
    "Pilot",   "Return",  "The",     "End",     "Beginning", "Part",    "One",   "Two",    "Finale",  "Homecoming",
    "Reunion", "Secrets", "Lies",    "Truth",   "Dawn",      "Dusk",    "Storm", "Calm",   "Escape",  "Hunt",
    "Trial",   "Verdict", "Wedding", "Funeral", "Birthday",  "Holiday", "Gift",  "Letter", "Message", "Call",
    "Signal",  "Door",    "Key",     "Lock",    "Bridge",    "Tunnel",  "Train", "Plane",  "Ship",    "Road",
    "Map",     "Compass", "North",   "South",   "First",     "Last",    "Night", "Day",    "Morning", "Reckoning",
    "Rising",  "Fall",    "Gone",    "Found",   "Lost",      "Home",    "Away",  "Deep",   "High",    "Low",
    "Blood",   "Water",   "Ashes",   "Dust",    "\xC9t\xE9",
};

constexpr std::array<std::string_view, 6> kResolutions = {"480p", "576p", "720p", "1080p", "2160p", "720P"};
constexpr std::array<std::string_view, 10> kSources = {"HDTV",  "WEB",    "WEB-DL", "WEBRip",      "BluRay",
                                                       "BDrip", "DVDRip", "PDTV",   "AMZN.WEB-DL", "NF.WEBRip"};
constexpr std::array<std::string_view, 7> kCodecs = {"x264", "x265", "H264", "H.264", "HEVC", "XviD", "h264"};
constexpr std::array<std::string_view, 6> kAudio = {"AAC2.0", "DD5.1", "DDP5.1", "AAC", "AC3", "Atmos"};
constexpr std::array<std::string_view, 6> kExtras = {"PROPER", "REPACK", "Rerip", "INTERNAL", "iNTERNAL", "READNFO"};
constexpr std::array<std::string_view, 24> kGroups = {
    "GRP",  "LOL", "KILLERS", "DIMENSION", "FLEET", "NTb", "CAKES",   "GGEZ", "TEPES", "SYNCOPY", "NOGRP", "ION10",
    "MiNX", "SVA", "AFG",     "BAE",       "XEN0N", "4K",  "CLASSIC", "TEAM", "OTHER", "RARBG",   "d3g",   "W4F",
};
constexpr std::array<std::string_view, 5> kVideoExtensions = {"mkv", "mkv", "mkv", "mp4", "avi"};

// Names in a download folder that are no episode of a series, or that look like one but are not.
constexpr std::array<std::string_view, 16> kStrayForms = {
    "README.txt",
    "Thumbs.db",
    "{T}.nfo",
    "{t}-{g}.sfv",
    "{T}.Complete.Season.{S}.nfo",
    "{T}.{Y}.1080p.BluRay.x264-{G}.mkv",
    "{T}.1x{E}.{W}.mkv",
    "{T}.S{S}E{E}E{F}.720p.mkv",
    "{T}.S{s}E{e}.720p.mkv",
    "S{S}E{E}.{T}.720p.mkv",
    "sample-{t}.mkv",
    "{T}.S{S}.Extras.mkv",
    "{T} S{S}E{E} 720p.mkv",
    "{T}.S{S}E{E}0.WEB.mkv",
    "{T}.S{S}xE{E}.mkv",
    "{t}-trailer-{Y}.mp4",
};

// Names that stretch the rule: its quirks have to come out the same in every version of it.
constexpr std::array<std::string_view, 14> kOddForms = {
    "{T}..S{S}E{E}.720p.mkv",
    ".{T}.S{S}E{E}.720p.mkv",
    "{T}.S{S}E{E}.720p.mkv.",
    "{T}.S{S}E{E}..mkv",
    "{T}.S-1E+{e}.720p.mkv",
    "{T}.SxAE{E}.HDTV.mkv",
    "{T}.720p.S{S}E{E}.{W}.mkv",
    "{T}.S{S}E{E}",
    "{T}.S{S}E{E}.{W}.720p.S{S}E{F}.mkv",
    "{t}.s{S}e{E}.{w}.hdtv.x264-{g}.mkv",
    "{T}.S{S}E{E}.{W}.{W}.{W}.{W}.{W}.{W}.{W}.{W}.1080p.WEB.mkv",
    "{T}.S {s}E{E}.HEVC.mkv",
    "{T}.S{S}E{E}.mkv.720p",
    ".S{S}E{E}",
};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

std::string TwoDigits(size_t value) {
    std::string text(2, '0');
    text[0] = static_cast<char>('0' + value / 10 % 10);
    text[1] = static_cast<char>('0' + value % 10);
    return text;
}

// What the episodes of one release share.
struct TRelease {
    std::string Title;  // dot-separated words
    size_t Season = 1;
    std::string Tags;  // everything between the episode title and the extension
    std::string Extension;
    bool LowerToken = false;
    bool EpisodeTitles = true;
};

std::string MakeTitle(TRandom& random) {
    // Now and then a first word that holds a tag (AAC): such a name is built as if it had none.
    std::string title(random.Chance(1) ? std::string_view("Aachen") : random.Pick(kTitleWords));
    const size_t words = 1 + random.Below(3);
    for (size_t i = 0; i < words; ++i) {
        title += '.';
        title += random.Pick(kTitleWords);
    }
    if (random.Chance(10)) {
        title += random.Chance(50) ? ".US" : ".UK";
    }
    if (random.Chance(8)) {
        title += '.';
        title += std::to_string(1990 + random.Below(35));
    }
    return title;
}

std::string MakeEpisodeTitle(TRandom& random) {
    std::string title;
    const size_t words = 1 + random.Below(4);
    for (size_t i = 0; i < words; ++i) {
        if (i > 0) {
            title += '.';
        }
        title += random.Pick(kEpisodeWords);
    }
    return title;
}

TRelease MakeRelease(TRandom& random) {
    TRelease release;
    release.Title = MakeTitle(random);
    release.Season = 1 + random.Below(random.Chance(90) ? 8 : 30);
    release.LowerToken = random.Chance(5);
    std::string tags;
    // Most releases carry a resolution; those without one and without another known tag give a
    // folder per episode title, so they mostly come without episode titles, as such releases do.
    const bool resolution = random.Chance(85);
    if (random.Chance(5)) {
        tags += random.Pick(kExtras);
        tags += '.';
    }
    if (resolution) {
        tags += random.Pick(kResolutions);
        tags += '.';
    }
    tags += random.Pick(kSources);
    if (random.Chance(30)) {
        tags += '.';
        tags += random.Pick(kAudio);
    }
    tags += '.';
    tags += random.Pick(kCodecs);
    tags += '-';
    tags += random.Pick(kGroups);
    release.Tags = tags;
    release.EpisodeTitles = resolution ? random.Chance(70) : random.Chance(3);
    release.Extension = random.Pick(kVideoExtensions);
    return release;
}

std::string EpisodeName(TRandom& random, const TRelease& release, size_t episode) {
    std::string name = release.Title;
    name += release.LowerToken ? ".s" : ".S";
    name += TwoDigits(release.Season);
    name += release.LowerToken ? "e" : "E";
    name += TwoDigits(episode);
    if (release.EpisodeTitles && random.Chance(85)) {
        name += '.';
        name += MakeEpisodeTitle(random);
    }
    name += '.';
    name += release.Tags;
    name += '.';
    // A subtitle file now and then beside its episode, in the same release.
    name += random.Chance(4) ? std::string_view("srt") : std::string_view(release.Extension);
    return name;
}

// Fills a form: {T} title, {t} title in lower case, {S}/{E}/{F} two-digit numbers, {s}/{e} one digit,
// {W}/{w} an episode word, {G}/{g} a group, {Y} a year.
std::string FillForm(TRandom& random, std::string_view form) {
    std::string name;
    for (size_t i = 0; i < form.size(); ++i) {
        if (form[i] != '{' || i + 2 >= form.size() || form[i + 2] != '}') {
            name += form[i];
            continue;
        }
        const char field = form[i + 1];
        i += 2;
        switch (field) {
            case 'T':
                name += MakeTitle(random);
                break;
            case 't':
                name += Lower(MakeTitle(random));
                break;
            case 'S':
            case 'E':
            case 'F':
                name += TwoDigits(1 + random.Below(24));
                break;
            case 's':
            case 'e':
                name += static_cast<char>('1' + random.Below(9));
                break;
            case 'W':
                name += random.Pick(kEpisodeWords);
                break;
            case 'w':
                name += Lower(random.Pick(kEpisodeWords));
                break;
            case 'G':
                name += random.Pick(kGroups);
                break;
            case 'g':
                name += Lower(random.Pick(kGroups));
                break;
            case 'Y':
                name += std::to_string(1960 + random.Below(65));
                break;
            default:
                name += field;
                break;
        }
    }
    return name;
}

}  // namespace

std::vector<std::string> ReleaseNames(size_t count) {
    TRandom random;
    std::vector<std::string> names;
    names.reserve(count);
    std::unordered_set<std::string> seen;
    auto add = [&](std::string name) {
        if (names.size() < count && seen.insert(name).second) {
            names.push_back(std::move(name));
        }
    };
    while (names.size() < count) {
        const TRelease release = MakeRelease(random);
        const size_t first = random.Chance(80) ? 1 : 1 + random.Below(12);
        const size_t episodes = 6 + random.Below(9);
        for (size_t e = first; e < first + episodes; ++e) {
            add(EpisodeName(random, release, e));
            // About one name in ten is no episode; one in a hundred is an odd one.
            if (random.Chance(12)) {
                add(FillForm(random, random.Pick(kStrayForms)));
            }
            if (random.Chance(1)) {
                add(FillForm(random, random.Pick(kOddForms)));
            }
        }
    }
    return names;
}

}  // namespace qm::bench
