// Where libraries are looked for: joined paths, the directory of a path, system libraries, and
// loading with the library's own directory as the current one.
#include "runtime/VolMem.h"
#include "settings/ModulePath.h"
#include "settings/RegistryStore.h"
#include "settings/SystemLibraryPath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// Null shown as a text of its own, so that a table can expect it.
std::wstring Shown(const wchar_t* text) { return text == nullptr ? L"<null>" : text; }

TEST(JoinModulePath, JoinsFoldsAndGivesUpOnTooManyParents) {
  struct Case {
    const wchar_t* directory;
    const wchar_t* name;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"C:\\app\\", L"lib\\x.dll", L"C:\\app\\lib\\x.dll"},
      {L"C:\\app", L"x.dll", L"C:\\app\\x.dll"},
      {L"C:\\app\\", L"x", L"C:\\app\\x"},
      {L"C:\\app\\", L".\\x.dll", L"C:\\app\\x.dll"},
      {L"C:\\app\\.\\.\\", L"x.dll", L"C:\\app\\x.dll"},
      {L"C:\\app\\bin\\", L"..\\x.dll", L"C:\\app\\x.dll"},
      {L"C:\\a\\b\\c\\", L"..\\..\\x.dll", L"C:\\a\\x.dll"},
      {L"C:\\app\\", L"lib\\.\\..\\x.dll", L"C:\\app\\x.dll"},
      {L"\\\\server\\share\\", L"x.dll", L"\\\\server\\share\\x.dll"},
      // Names that are paths of their own.
      {L"C:\\app\\", L"D:\\y.dll", L"D:\\y.dll"},
      {L"C:\\app\\", L"\\y.dll", L"\\y.dll"},
      // More ".." than components: the name as it was given.
      {L"C:\\app\\", L"..\\..\\x.dll", L"..\\..\\x.dll"},
      {L"C:\\", L"..\\x.dll", L"..\\x.dll"},
      // Nothing to join.
      {nullptr, L"x.dll", L"x.dll"},
      {L"", L"x.dll", L"x.dll"},
      {L"C:\\app\\", nullptr, L"C:\\app\\"},
      {L"C:\\app\\", L"", L"C:\\app\\"},
      {nullptr, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "directory " << Shown(c.directory) << ", name " << Shown(c.name));
    CVolMem work;
    EXPECT_EQ(Shown(JoinModulePath(c.directory, c.name, work)), Shown(c.expected));
  }
}

TEST(LibraryDirectoryOf, KeepsTheRootBackslashAndIgnoresRelativePaths) {
  struct Case {
    const wchar_t* path;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"C:\\a\\b\\x.dll", L"C:\\a\\b"},
      {L"C:\\x.dll", L"C:\\"},
      {L"\\x.dll", L"\\"},
      {L"\\\\server\\share\\x.dll", L"\\\\server\\share"},
      {L"lib\\x.dll", L""},
      {L"x.dll", L""},
      {L"", L""},
      {nullptr, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "path " << Shown(c.path));
    EXPECT_EQ(LibraryDirectoryOf(c.path), c.expected);
  }
}

TEST(SystemLibraryPath, NamesTheSystemCopyByFileNameOnly) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryW(system, MAX_PATH), 0u);
  std::wstring systemDirectory = system;
  if (systemDirectory.back() != L'\\') systemDirectory += L'\\';

  struct Case {
    const wchar_t* library;
    const wchar_t* expectedFile;  // in the system directory; null: not a system library
  };
  const Case cases[] = {
      {L"User32.dll", L"User32.dll"},
      {L"USER32.DLL", L"USER32.DLL"},
      {L"User32", L"User32.dll"},  // the loader adds ".dll" to a name without extension
      {L"somewhere\\User32.dll", L"User32.dll"},
      {L"C:\\elsewhere\\kernel32.dll", L"kernel32.dll"},
      {L"C:User32.dll", L"User32.dll"},
      {L"lanfhe_fixture_lib.dll", nullptr},
      {L"lanfhe_no_such_library.dll", nullptr},
      {L"folder\\", nullptr},
      {L"..", nullptr},
      {L"", nullptr},
      {nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "library " << Shown(c.library));
    EXPECT_EQ(SystemLibraryPath(c.library), c.expectedFile == nullptr ? L"" : systemDirectory + c.expectedFile);
  }
}

TEST(LoadLibraryFromDirectory, NothingForNoName) {
  EXPECT_EQ(LoadLibraryFromDirectory(nullptr), nullptr);
  EXPECT_EQ(LoadLibraryFromDirectory(L""), nullptr);
}

// The fixture library imports a library that lies only in its own directory, which is none of the
// places the system searches unless it is the current directory.
TEST(LoadLibraryFromDirectory, ResolvesDependenciesFromTheLibrarysDirectoryAndRestoresTheCurrentOne) {
  std::wstring exeDirectory;
  ASSERT_TRUE(GetModuleDirectory(nullptr, exeDirectory));
  const std::wstring dependent = exeDirectory + L"program-dir\\lanfhe_fixture_dependent.dll";
  ASSERT_TRUE(SetCurrentDirectoryW(exeDirectory.c_str()));

  HMODULE plain = LoadLibraryW(dependent.c_str());
  if (plain != nullptr) FreeLibrary(plain);
  ASSERT_EQ(plain, nullptr) << "the dependency is found without the current directory: this test shows nothing";

  HMODULE module = LoadLibraryFromDirectory(dependent.c_str());
  ASSERT_NE(module, nullptr);
  using ValueFunction = int (*)();
  const auto value = reinterpret_cast<ValueFunction>(reinterpret_cast<void*>(GetProcAddress(module, "DependentValue")));
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value(), 8);
  FreeLibrary(module);

  wchar_t current[MAX_PATH] = {};
  ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, current), 0u);
  std::wstring currentDirectory = current;
  if (currentDirectory.back() != L'\\') currentDirectory += L'\\';
  EXPECT_EQ(currentDirectory, exeDirectory);
}

}  // namespace
