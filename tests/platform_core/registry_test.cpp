// The registry file: values written are read back, by this process and by others, and a
// caller's buffer size is honoured to the byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "kp_platform.h"
#include "tests/platform_core/core_test_support.h"

namespace {

const char16_t kItemKey[] = u"Software\\Microsoft\\Today\\Items\\Kalmeno";

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { setenv("KALMENO_REGISTRY", file().c_str(), 1); }
  void TearDown() override { unsetenv("KALMENO_REGISTRY"); }
  std::string file() const { return folder.file("sub/registry.reg"); }

  void SetString(const char16_t* name, const std::u16string& value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * 2)),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  ScratchFolder folder;
};

TEST_F(Registry, AStringWrittenIsReadBackAfterReopening) {
  SetString(u"DATA", u"\\home\\a\\kalmeno\\qmrv.dat");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  WCHAR value[MAX_PATH];
  DWORD size = sizeof value, type = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"DATA", nullptr, &type, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Utf8(value), "\\home\\a\\kalmeno\\qmrv.dat");
  EXPECT_EQ(size, (24u + 1) * 2) << "the size reports the bytes stored, terminator included";
  RegCloseKey(key);
}

TEST_F(Registry, TheFileIsReadableRegedit4WithEscapes) {
  SetString(u"EXE", u"\\home\\a\\Kalmeno \"quoted\"");
  std::string text = ReadWholeFile(file());
  EXPECT_EQ(text.substr(0, 9), "REGEDIT4\n");
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"EXE\"=\"\\\\home\\\\a\\\\Kalmeno \\\"quoted\\\"\"\n"), std::string::npos) << text;
}

TEST_F(Registry, AHandWrittenFileIsReadIncludingKoreanAndDwords) {
  std::string dir = folder.file("sub");
  std::string mkdirCommand = "mkdir -p " + dir;
  ASSERT_EQ(system(mkdirCommand.c_str()), 0);
  WriteWholeFile(file(),
                 "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\Kalmeno]\r\n"
                 "\"Data\"=\"\\\\home\\\\사용자\\\\qmrv.dat\"\r\n\"Flags\"=dword:0000010f\r\n");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"software\\microsoft\\today\\items\\kalmeno", 0, KEY_READ, &key),
            ERROR_SUCCESS)
      << "key names ignore case";
  WCHAR text[64];
  DWORD size = sizeof text;
  ASSERT_EQ(RegQueryValueExW(key, u"DATA", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  EXPECT_EQ(Utf8(text), "\\home\\사용자\\qmrv.dat");
  DWORD number = 0, type = 0;
  size = sizeof number;
  ASSERT_EQ(RegQueryValueExW(key, u"Flags", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(number, 0x10fu);
  EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size),
            ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(Registry, ABufferOneUnitTooSmallGetsMoreDataAndNothingFilled) {
  // 49 characters and a terminator fill 100 bytes exactly; 50 characters need 102.
  SetString(u"Fits", std::u16string(49, u'a'));
  SetString(u"TooLong", std::u16string(50, u'b'));
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  BYTE buffer[120];
  std::memset(buffer, 0xAB, sizeof buffer);
  DWORD size = 100;
  EXPECT_EQ(RegQueryValueExW(key, u"Fits", nullptr, nullptr, buffer, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 100u);
  EXPECT_EQ(buffer[98], 0);
  EXPECT_EQ(buffer[100], 0xAB) << "nothing written past the caller's size";

  std::memset(buffer, 0xAB, sizeof buffer);
  size = 100;
  EXPECT_EQ(RegQueryValueExW(key, u"TooLong", nullptr, nullptr, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 102u) << "the size needed is reported";
  for (BYTE b : buffer) ASSERT_EQ(b, 0xAB) << "nothing filled";
  RegCloseKey(key);
}

TEST_F(Registry, AMissingKeyOrFileIsNotFound) {
  HKEY key = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  SetString(u"DATA", u"x");
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Other", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Microsoft", 0, KEY_READ, &key), ERROR_SUCCESS)
      << "a parent of a listed key exists";
  RegCloseKey(key);
}

TEST_F(Registry, AnOpenKeySeesAValueChangedAfterwards) {
  SetString(u"DATA", u"first");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  SetString(u"DATA", u"second");
  WCHAR value[32];
  DWORD size = sizeof value;
  ASSERT_EQ(RegQueryValueExW(key, u"DATA", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
  EXPECT_EQ(Utf8(value), "second");
  EXPECT_EQ(RegDeleteValueW(key, u"DATA"), ERROR_SUCCESS);
  size = sizeof value;
  EXPECT_EQ(RegQueryValueExW(key, u"DATA", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size),
            ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(Registry, CreatingAnExistingKeyKeepsItsValues) {
  SetString(u"DATA", u"kept");
  HKEY key;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kItemKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  WCHAR value[32];
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExW(key, u"DATA", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
  EXPECT_EQ(Utf8(value), "kept");
  RegCloseKey(key);
}

}  // namespace
