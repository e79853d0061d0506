// The resources of the built tidyreel.exe, read the way Windows reads them.

#include <gtest/gtest.h>

#include "support/driver.h"

namespace {

TEST(Resources, IconManifestAndVersion) {
    const std::string exe = qm::test::TidyreelPath();
    const HMODULE image = LoadLibraryExA(exe.c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(FindResourceA(image, "MAINICON", RT_GROUP_ICON), nullptr);
    const HRSRC manifest = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    const std::string xml(static_cast<const char*>(LockResource(LoadResource(image, manifest))),
                          SizeofResource(image, manifest));
    for (const char* part :
         {"level=\"asInvoker\"", "name=\"Microsoft.Windows.Common-Controls\"\n          version=\"6.", ">PerMonitorV2<",
          ">false</longPathAware>", "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(xml.find(part), std::string::npos) << part;  // asks no elevation; Vista to 10
    }
    FreeLibrary(image);

    std::string block(GetFileVersionInfoSizeA(exe.c_str(), nullptr), '\0');
    VS_FIXEDFILEINFO* v = nullptr;
    UINT size = 0;
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) &&
                VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&v), &size));
    EXPECT_EQ(
        std::vector<DWORD>({v->dwFileVersionMS, v->dwFileVersionLS, v->dwProductVersionMS, v->dwProductVersionLS}),
        std::vector<DWORD>({0, 4, 0, 4}));  // 0.0.0.4
}

}  // namespace
