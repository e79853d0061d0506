#include "e2e/sorting_checks.h"

#include <regex>

namespace qm::test {

namespace {

// Four CR LF separated lines; the seconds right-aligned in ten characters with seven decimals.
const std::regex SummaryShape(
    "Found: (-?[0-9]+) files\r\nMoved: (-?[0-9]+) files\r\nSkipped: (-?[0-9]+) files\r\n"
    "Needed: ( *[0-9]+\\.[0-9]{7}) seconds");

}  // namespace

const std::string kDefaultSettings =
    "[Patterns]\r\nLimit=11\r\n0=480p\r\n1=576p\r\n2=720p\r\n3=1080p\r\n4=2160p\r\n5=XviD\r\n6=HEVC\r\n"
    "7=Rerip\r\n8=BDrip\r\n9=AAC\r\n10=DVDRip\r\n11=PDTV\r\n";

const qm::api::TStrArr& DefaultPatternList() {
    static const qm::api::TStrArr patterns = {u"480p", u"576p",  u"720p",  u"1080p", u"2160p",  u"XviD",
                                              u"HEVC", u"Rerip", u"BDrip", u"AAC",   u"DVDRip", u"PDTV"};
    return patterns;
}

void ExpectEndedWithBoxes(const TRunReport& report, size_t boxes) {
    ASSERT_TRUE(report.Started);
    ASSERT_TRUE(report.Ended);
    EXPECT_EQ(report.ExitCode, 0u);
    ASSERT_EQ(report.Boxes.size(), boxes);
    for (const auto& box : report.Boxes) {
        EXPECT_EQ(box.Buttons, std::vector<std::string>{"OK"});
    }
}

TSummary ReadSummary(const TRunReport& report) {
    EXPECT_TRUE(report.Ended);
    EXPECT_EQ(report.ExitCode, 0u);
    if (report.Boxes.size() != 1) {
        ADD_FAILURE() << "the run showed " << report.Boxes.size() << " message boxes, not one summary";
        return {};
    }
    const TMessageBox& box = report.Boxes[0];
    EXPECT_EQ(box.Title, "Quillmoors Tidyreel");
    EXPECT_EQ(box.Buttons, std::vector<std::string>{"OK"});
    std::smatch match;
    if (!std::regex_match(box.Text, match, SummaryShape)) {
        ADD_FAILURE() << "not a summary: " << box.Text;
        return {};
    }
    EXPECT_GE(match[4].length(), 10) << "seconds are padded to width 10";
    const TSummary summary{std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3])};
    EXPECT_EQ(summary.Skipped, summary.Found - summary.Moved) << box.Text;
    return summary;
}

void ExpectSummary(const TRunReport& report, int found, int moved) {
    const TSummary summary = ReadSummary(report);
    EXPECT_EQ(summary.Found, found);
    EXPECT_EQ(summary.Moved, moved);
}

void ExpectError(const TRunReport& report, const std::string& text) {
    ExpectEndedWithBoxes(report, 1);
    EXPECT_EQ(report.Boxes[0].Title, "Error!");
    EXPECT_EQ(report.Boxes[0].Text, text);
}

void MakeFiles(const TTempFolder& root, const std::vector<std::string>& stay, const TMoves& moves) {
    std::vector<std::string> files = stay;
    for (const auto& [file, folder] : moves) {
        files.push_back(file);
    }
    for (const auto& file : files) {
        const size_t cut = file.find_last_of('\\');
        if (cut != std::string::npos) {
            ASSERT_TRUE(MakeFolders(root / file.substr(0, cut)));
        }
        // The \\?\ form reaches names the plain path rules would read otherwise (CON.S01E02.mkv).
        ASSERT_TRUE(WriteBytes("\\\\?\\" + (root / file), file)) << file;
    }
}

TTree Expected(TTree tree, const TMoves& moved, const std::vector<std::string>& folders) {
    for (const auto& [file, folder] : moved) {
        const std::string content = tree.at(file);
        tree.erase(file);
        const size_t cut = file.find_last_of('\\');
        const std::string dir = cut == std::string::npos ? "" : file.substr(0, cut + 1);
        tree[dir + folder + "\\"] = "<dir>";
        tree[dir + folder + "\\" + file.substr(cut + 1)] = content;
    }
    for (const auto& folder : folders) {
        tree[folder + "\\"] = "<dir>";
    }
    return tree;
}

void ExpectInvariant(const TSortInvariant& invariant, const TRunReport& report) {
    const TInvariantReport check = invariant.Check();
    EXPECT_TRUE(check.Holds()) << check.Describe();
    if (!report.Boxes.empty() && report.Boxes.back().Title == "Quillmoors Tidyreel") {
        EXPECT_EQ(ReadSummary(report).Moved, static_cast<int>(check.Moved)) << "the summary counts what moved";
    } else {
        EXPECT_EQ(check.Moved, 0u) << "a run without a summary moves nothing";
    }
}

THeldFile::THeldFile(const std::string& path, DWORD share)
    : handle_(CreateFileW(Wide(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr)) {}

void THeldFile::Release() {
    if (Held()) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
}

void TSortingRunFixture::SetUp() {
    ASSERT_FALSE(exe_.empty()) << "tidyreel.exe could not be copied";
    // Files a run of the wrong folder would sort.
    MakeFiles(beside_, {"Show.S01E01.720p.mkv", "Show.S01.720p\\Show.S01E02.720p.mkv", "README.txt"});
}

TSortInvariant TSortingRunFixture::Before(const std::string& folder, const qm::api::TStrArr& patterns) const {
    return TSortInvariant(folder, patterns, {beside_.Path()});
}

}  // namespace qm::test
