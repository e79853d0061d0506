// Reads the resources of the built tidyreel.exe the way Windows does: icon group and image,
// application manifest and version block. The executable lies beside this test program.

#include <windows.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kVersion = "0.0.0.4";

std::string exe_path() {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0)
            return {};
        if (n < buf.size()) {
            std::string self(buf.data(), n);
            const auto slash = self.find_last_of("\\/");
            return (slash == std::string::npos ? std::string() : self.substr(0, slash + 1)) + "tidyreel.exe";
        }
        buf.resize(buf.size() * 2);
    }
}

class Image {
public:
    explicit Image(const std::string& path)
        : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~Image() {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    HMODULE get() const { return module_; }

    // The bytes of one resource, empty when it is missing.
    std::string_view resource(LPCSTR type, LPCSTR name) const {
        HRSRC info = FindResourceA(module_, name, type);
        if (info == nullptr)
            return {};
        HGLOBAL loaded = LoadResource(module_, info);
        const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (data == nullptr)
            return {};
        return {static_cast<const char*>(data), SizeofResource(module_, info)};
    }

private:
    HMODULE module_;
};

constexpr DWORD version_words(WORD high, WORD low) {
    return (static_cast<DWORD>(high) << 16) | low;
}

template <typename T>
T read_le(std::string_view bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// Text of the first element <name ...>text</name>; "<missing>" when there is none.
std::string element_text(std::string_view xml, std::string_view name) {
    std::string open(1, '<');
    open += name;
    std::size_t at = xml.find(open);
    while (at != std::string_view::npos && at + open.size() < xml.size()) {
        const char next = xml[at + open.size()];
        if (next == '>' || next == ' ' || next == '\t' || next == '\r' || next == '\n')
            break;
        at = xml.find(open, at + 1);
    }
    if (at == std::string_view::npos || at + open.size() >= xml.size())
        return "<missing>";
    const std::size_t start = xml.find('>', at);
    std::string close("</");
    close += name;
    close += '>';
    const std::size_t end = xml.find(close, start);
    if (start == std::string_view::npos || end == std::string_view::npos)
        return "<missing>";
    return std::string(xml.substr(start + 1, end - start - 1));
}

// The whole start tag (up to '>') of the element that contains `marker`, empty when absent.
std::string tag_containing(std::string_view xml, std::string_view marker) {
    const std::size_t at = xml.find(marker);
    if (at == std::string_view::npos)
        return {};
    const std::size_t start = xml.rfind('<', at);
    const std::size_t end = xml.find('>', at);
    if (start == std::string_view::npos || end == std::string_view::npos)
        return {};
    return std::string(xml.substr(start, end - start + 1));
}

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = exe_path();
        ASSERT_NE(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES)
            << path_ << " is missing; build the tidyreel target first";
    }

    std::string path_;
};

TEST_F(Resources, MainIconIsOne32By32ImageAt24Bits) {
    Image exe(path_);
    ASSERT_NE(exe.get(), nullptr) << "LoadLibraryExA failed: " << GetLastError();

    const std::string_view group = exe.resource(RT_GROUP_ICON, "MAINICON");
    // Header (reserved, type, count) then 14-byte entries.
    ASSERT_GE(group.size(), 6u) << "no icon group MAINICON";
    EXPECT_EQ(read_le<std::uint16_t>(group, 2), 1u) << "resource type is not icon";
    ASSERT_EQ(read_le<std::uint16_t>(group, 4), 1u) << "images in the group";
    ASSERT_EQ(group.size(), 6u + 14u);

    const auto width = static_cast<unsigned char>(group[6]);
    const auto height = static_cast<unsigned char>(group[7]);
    const auto planes = read_le<std::uint16_t>(group, 10);
    const auto bits = read_le<std::uint16_t>(group, 12);
    const auto bytes = read_le<std::uint32_t>(group, 14);
    const auto id = read_le<std::uint16_t>(group, 18);
    EXPECT_EQ(width, 32u);
    EXPECT_EQ(height, 32u);
    EXPECT_EQ(planes, 1u);
    EXPECT_EQ(bits, 24u);

    const std::string_view icon = exe.resource(RT_ICON, MAKEINTRESOURCEA(id));
    ASSERT_GE(icon.size(), sizeof(BITMAPINFOHEADER)) << "icon image " << id << " is missing";
    EXPECT_EQ(icon.size(), bytes) << "size in the group differs from the image";
    BITMAPINFOHEADER header{};
    std::memcpy(&header, icon.data(), sizeof header);
    EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64) << "colour image plus mask";
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    // 32 rows of 96 bytes of colour, then 32 rows of a 4-byte mask.
    EXPECT_EQ(icon.size(), sizeof(BITMAPINFOHEADER) + 32u * 96u + 32u * 4u);
}

TEST_F(Resources, ManifestAsksForThemesDpiAwarenessAndKnownWindows) {
    Image exe(path_);
    ASSERT_NE(exe.get(), nullptr) << "LoadLibraryExA failed: " << GetLastError();

    const std::string_view manifest = exe.resource(RT_MANIFEST, MAKEINTRESOURCEA(1));
    ASSERT_FALSE(manifest.empty()) << "no manifest with id 1";
    EXPECT_EQ(manifest.find('@'), std::string_view::npos) << "unconfigured placeholder left";

    const std::string self = tag_containing(manifest, "name=\"Quillmoors.Tidyreel\"");
    EXPECT_NE(self.find(std::string("version=\"") + kVersion + "\""), std::string::npos) << self;
    EXPECT_NE(self.find("processorArchitecture=\"amd64\""), std::string::npos) << self;

    const std::string level = tag_containing(manifest, "<requestedExecutionLevel");
    EXPECT_NE(level.find("level=\"asInvoker\""), std::string::npos) << level;
    EXPECT_NE(level.find("uiAccess=\"false\""), std::string::npos) << level;

    const std::string controls = tag_containing(manifest, "name=\"Microsoft.Windows.Common-Controls\"");
    EXPECT_NE(controls.find("version=\"6.0.0.0\""), std::string::npos) << controls;
    EXPECT_NE(controls.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << controls;

    EXPECT_EQ(element_text(manifest, "dpiAware"), "true/pm");
    EXPECT_EQ(element_text(manifest, "dpiAwareness"), "PerMonitorV2");
    EXPECT_EQ(element_text(manifest, "longPathAware"), "false");

    for (const char* os : {
             "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
         }) {
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + os + "\""), std::string_view::npos) << os;
    }
}

TEST_F(Resources, VersionBlockNamesTheProductAndItsVersion) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path_.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version block: " << GetLastError();
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path_.c_str(), 0, size, block.data()));

    void* data = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &data, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, data, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    // Major and minor in the high and low word of MS, patch and tweak likewise in LS.
    EXPECT_EQ(fixed.dwFileVersionMS, version_words(0, 0));
    EXPECT_EQ(fixed.dwFileVersionLS, version_words(0, 4));
    EXPECT_EQ(fixed.dwProductVersionMS, fixed.dwFileVersionMS);
    EXPECT_EQ(fixed.dwProductVersionLS, fixed.dwFileVersionLS);
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileFlags & fixed.dwFileFlagsMask & VS_FF_DEBUG, 0u);

    // Explorer finds the strings through the first translation.
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &data, &length));
    ASSERT_GE(length, 4u);
    WORD translation[2] = {};
    std::memcpy(translation, data, sizeof translation);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);

    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", static_cast<unsigned>(translation[0]),
                  static_cast<unsigned>(translation[1]));
    const auto value = [&](const char* name) -> std::string {
        void* text = nullptr;
        UINT chars = 0;
        const std::string query = prefix + std::string(name);
        if (!VerQueryValueA(block.data(), query.c_str(), &text, &chars) || text == nullptr)
            return "<missing>";
        const char* s = static_cast<const char*>(text);
        return std::string(s, strnlen(s, chars));
    };
    EXPECT_EQ(value("ProductName"), "Quillmoors Tidyreel");
    EXPECT_EQ(value("OriginalFilename"), "tidyreel.exe");
    EXPECT_EQ(value("InternalName"), "tidyreel");
    EXPECT_EQ(value("CompanyName"), "Quillmoors");
    EXPECT_EQ(value("FileVersion"), kVersion);
    EXPECT_EQ(value("ProductVersion"), kVersion);
    EXPECT_NE(value("FileDescription"), "<missing>");
    EXPECT_NE(value("LegalCopyright"), "<missing>");
}

}  // namespace
