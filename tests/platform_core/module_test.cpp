// Module handles and paths, libraries with DllMain, and resource tables found by module.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <unistd.h>

#include "kp_platform.h"
#include "kp_resources.h"
#include "tests/platform_core/core_test_support.h"

namespace {

TEST(Modules, ProgramPathIsTheExecutableInHandheldForm) {
  WCHAR path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  char exe[PATH_MAX];
  ssize_t len = readlink("/proc/self/exe", exe, sizeof exe - 1);
  ASSERT_GT(len, 0);
  exe[len] = 0;
  EXPECT_EQ(n, static_cast<DWORD>(lstrlenW(path)));
  EXPECT_EQ(Utf8(path), Utf8(KpHandheldPath(exe)));
  EXPECT_EQ(path[0], u'\\');
  EXPECT_STREQ(KpProgramName(), "platform_core_tests");
}

TEST(Modules, TooSmallABufferGetsACutTerminatedPath) {
  WCHAR path[8];
  EXPECT_EQ(GetModuleFileNameW(nullptr, path, 8), 8u);
  EXPECT_EQ(path[7], 0);
  EXPECT_EQ(lstrlenW(path), 7);
}

TEST(Modules, TheProgramHandleIsTheModuleOfItsOwnCode) {
  static int inThisProgram;
  HMODULE program = GetModuleHandleW(nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(KpModuleOfAddress(&inThisProgram), program);
  WCHAR viaHandle[MAX_PATH], viaNull[MAX_PATH];
  GetModuleFileNameW(program, viaHandle, MAX_PATH);
  GetModuleFileNameW(nullptr, viaNull, MAX_PATH);
  EXPECT_EQ(Utf8(viaHandle), Utf8(viaNull));
}

const KpStringEntry kStrings[] = {{1, u"KalmenoTest"}, {7, u"일곱"}};
const KpImageEntry kImages[] = {{101, KP_IMAGE_ICON, nullptr, 1}, {101, KP_IMAGE_ICON, nullptr, 2},
                                {101, KP_IMAGE_BITMAP, nullptr, 3}};
const KpModuleResources kTable = {nullptr, 0, nullptr, 0, kStrings, 2, kImages, 3};
KP_REGISTER_MODULE_RESOURCES(kTable)

TEST(Resources, ATableRegisteredInAModuleIsFoundByItsHandle) {
  HINSTANCE program = GetModuleHandleW(nullptr);
  const KpStringEntry* seven = KpFindString(program, 7);
  ASSERT_NE(seven, nullptr);
  EXPECT_EQ(Utf8(seven->text), "일곱");
  EXPECT_EQ(KpFindString(program, 2), nullptr);
  EXPECT_EQ(KpFindString(reinterpret_cast<HINSTANCE>(0x1000), 7), nullptr) << "another module has its own";
  const KpImageEntry* icons[4];
  ASSERT_EQ(KpFindImages(program, 101, KP_IMAGE_ICON, icons, 4), 2);
  EXPECT_EQ(icons[0]->size, 1u) << "in registration order";
  EXPECT_EQ(icons[1]->size, 2u);
  EXPECT_EQ(KpFindImages(program, 101, KP_IMAGE_ICON, icons, 1), 1) << "never more than asked";
}

class Libraries : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("KP_TEST_LIBRARY_LOG", folder.file("log").c_str(), 1);
    unsetenv("KP_TEST_LIBRARY_REFUSE");
  }
  void TearDown() override {
    unsetenv("KP_TEST_LIBRARY_LOG");
    unsetenv("KP_TEST_LIBRARY_REFUSE");
  }
  ScratchFolder folder;
  std::u16string library = KpHandheldPath(KP_TEST_LIBRARY);
};

TEST_F(Libraries, LoadCallsAttachWithTheModuleHandleAndFreeCallsDetach) {
  HINSTANCE module = LoadLibraryW(library.c_str());
  ASSERT_NE(module, nullptr);
  FARPROC answer = GetProcAddress(module, u"KpTestLibraryAnswer");
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(KpModuleOfAddress(reinterpret_cast<const void*>(answer)), module);
  EXPECT_EQ(GetProcAddress(module, u"NoSuchExport"), nullptr);
  WCHAR path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(module, path, MAX_PATH), 0u);
  EXPECT_EQ(Utf8(path), Utf8(library));
  EXPECT_TRUE(FreeLibrary(module));
  char attach[64], detach[64];
  snprintf(attach, sizeof attach, "attach %p\n", module);
  snprintf(detach, sizeof detach, "detach %p\n", module);
  EXPECT_EQ(ReadWholeFile(folder.file("log")), std::string(attach) + detach);
  EXPECT_FALSE(FreeLibrary(module)) << "a freed module is no longer known";
}

TEST_F(Libraries, ARefusingDllMainFailsTheLoad) {
  setenv("KP_TEST_LIBRARY_REFUSE", "1", 1);
  EXPECT_EQ(LoadLibraryW(library.c_str()), nullptr);
  EXPECT_EQ(ReadWholeFile(folder.file("log")).substr(0, 6), "attach");
  EXPECT_EQ(ReadWholeFile(folder.file("log")).find("detach"), std::string::npos);
}

TEST_F(Libraries, AMissingLibraryFailsToLoad) {
  EXPECT_EQ(LoadLibraryW(u"\\nonexistent\\libNothing.so"), nullptr);
}

}  // namespace
