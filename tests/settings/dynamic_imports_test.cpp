// Filling function tables by name: the program's user32 table, where libraries are looked for, the
// two failure messages, and releasing what was loaded.
#include "runtime/AppInstance.h"
#include "runtime/VolException.h"
#include "settings/DynamicImports.h"
#include "settings/RegistryStore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "PlantedUser32Mark.h"

namespace {

using IntFunction = int (*)();

std::wstring ExeDirectory() {
  std::wstring directory;
  GetModuleDirectory(nullptr, directory);
  return directory;
}

// Holds the anchor module and the planted User32.dll; no executable lives there.
std::wstring FixtureProgramDirectory() { return ExeDirectory() + L"program-dir\\"; }

int64_t LoadedCount() { return g_loadedLibraries.GetLength() / static_cast<int64_t>(sizeof(HMODULE)); }

HMODULE LoadedAt(int64_t index) {
  HMODULE module = nullptr;
  CopyMemory(&module, g_loadedLibraries.GetData() + index * static_cast<int64_t>(sizeof(HMODULE)), sizeof module);
  return module;
}

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  return std::wstring(path, length);
}

int CallIntFunction(void* address) { return reinterpret_cast<IntFunction>(address)(); }

// A table of the given rows and its end row.
std::vector<DynamicImportEntry> Table(std::initializer_list<DynamicImportEntry> rows) {
  std::vector<DynamicImportEntry> table(rows);
  table.push_back({nullptr, nullptr, nullptr});
  return table;
}

// Every test starts and ends with nothing loaded and the instance handle as it was.
class DynamicImports : public testing::Test {
 protected:
  void SetUp() override {
    FreeDynamicImports();
    savedInstanceHandle_ = g_appInstance.instanceHandle;
  }
  void TearDown() override {
    FreeDynamicImports();
    g_appInstance.instanceHandle = savedInstanceHandle_;
    if (anchor_ != nullptr) FreeLibrary(anchor_);
  }

  // Makes the fixture directory the program's directory, as the stored instance handle of a module
  // that lies there.
  void UseFixtureProgramDirectory() {
    anchor_ = LoadLibraryW((FixtureProgramDirectory() + L"lanfhe_fixture_anchor.dll").c_str());
    ASSERT_NE(anchor_, nullptr);
    g_appInstance.instanceHandle = anchor_;
  }

 private:
  HMODULE savedInstanceHandle_ = nullptr;
  HMODULE anchor_ = nullptr;
};

TEST_F(DynamicImports, FillsTheUser32TableFromOneLoadOfTheSystemLibrary) {
  for (int i = 0; i < kUser32ImportCount; ++i) g_user32Imports[i].address = nullptr;

  EXPECT_EQ(LoadDynamicImports(), 1);

  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  ASSERT_NE(user32, nullptr);
  for (int i = 0; i < kUser32ImportCount; ++i) {
    SCOPED_TRACE(g_user32Imports[i].function);
    EXPECT_NE(g_user32Imports[i].address, nullptr);
    EXPECT_EQ(g_user32Imports[i].address, reinterpret_cast<void*>(GetProcAddress(user32, g_user32Imports[i].function)));
  }
  ASSERT_EQ(LoadedCount(), 1);
  EXPECT_EQ(LoadedAt(0), user32);
}

TEST_F(DynamicImports, FreeingReleasesTheLibrariesAndKeepsTheAddresses) {
  auto table = Table({{L"lanfhe_fixture_beside.dll", "FixtureWhere", nullptr}, {L"", "@5", nullptr}});
  ASSERT_EQ(LoadDynamicImports(table.data()), 1);
  ASSERT_EQ(LoadedCount(), 1);
  ASSERT_NE(GetModuleHandleW(L"lanfhe_fixture_beside.dll"), nullptr);

  FreeDynamicImports();

  EXPECT_EQ(LoadedCount(), 0);
  EXPECT_EQ(g_loadedLibraries.GetData(), nullptr);
  EXPECT_EQ(GetModuleHandleW(L"lanfhe_fixture_beside.dll"), nullptr) << "the library is still loaded";
  EXPECT_NE(table[0].address, nullptr);
  EXPECT_NE(table[1].address, nullptr);
}

TEST_F(DynamicImports, LoadsALibraryOncePerRowThatNamesIt) {
  auto table = Table({{L"lanfhe_fixture_beside.dll", "FixtureWhere", nullptr},
                      {L"lanfhe_fixture_beside.dll", "FixtureOrdinalFive", nullptr},
                      {L"", "FixtureWhere", nullptr}});
  ASSERT_EQ(LoadDynamicImports(table.data()), 1);
  ASSERT_EQ(LoadedCount(), 2);
  EXPECT_EQ(LoadedAt(0), LoadedAt(1));
}

TEST_F(DynamicImports, AFunctionStartingWithAtIsLookedUpByOrdinal) {
  auto table = Table({{L"lanfhe_fixture_beside.dll", "@5", nullptr}});
  ASSERT_EQ(LoadDynamicImports(table.data()), 1);
  ASSERT_EQ(LoadedCount(), 1);
  EXPECT_EQ(table[0].address, reinterpret_cast<void*>(GetProcAddress(LoadedAt(0), "FixtureOrdinalFive")));
  EXPECT_EQ(CallIntFunction(table[0].address), 5);
}

// Copies of lanfhe_fixture_lib.dll lie beside the test executable (answering 1) and in the
// fixture program directory (answering 2); lanfhe_fixture_beside.dll lies only beside the executable.
TEST_F(DynamicImports, LooksInTheProgramsDirectoryFirstThenLeavesTheSearchToTheSystem) {
  UseFixtureProgramDirectory();
  const std::wstring besideByPath = ExeDirectory() + L"lanfhe_fixture_lib.dll";
  struct Case {
    std::wstring library;
    int expectedCopy;
  };
  const Case cases[] = {
      {L"lanfhe_fixture_lib.dll", 2},  // the system's search would find the copy beside the executable
      {L"no-such-folder\\lanfhe_fixture_lib.dll", 2},  // then the file name in the program's directory
      {L"lanfhe_fixture_beside.dll", 1},  // not in the program's directory: the system's search
      {besideByPath, 1},  // a path names its file
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "library " << c.library);
    auto table = Table({{c.library.c_str(), "FixtureWhere", nullptr}});
    ASSERT_EQ(LoadDynamicImports(table.data()), 1);
    EXPECT_EQ(LoadedCount(), 1);
    EXPECT_EQ(CallIntFunction(table[0].address), c.expectedCopy);
    FreeDynamicImports();
  }
}

TEST_F(DynamicImports, WithoutAStoredHandleTheProgramsDirectoryIsTheExecutables) {
  auto table = Table({{L"lanfhe_fixture_lib.dll", "FixtureWhere", nullptr}});
  ASSERT_EQ(LoadDynamicImports(table.data()), 1);
  ASSERT_EQ(LoadedCount(), 1);
  EXPECT_EQ(ModulePath(LoadedAt(0)), ExeDirectory() + L"lanfhe_fixture_lib.dll");
}

TEST_F(DynamicImports, AMissingLibraryOrFunctionThrowsItsMessage) {
  struct Case {
    const char* what;
    std::vector<DynamicImportEntry> table;
    const wchar_t* message;
    int64_t librariesLoaded;  // stay loaded after the failure
  };
  const Case cases[] = {
      {"library that does not exist",
       Table({{L"lanfhe_no_such_library.dll", "FixtureWhere", nullptr}}),
       L"载入运行时所需要的外部动态链接库文件\"lanfhe_no_such_library.dll\"失败!", 0},
      {"function that does not exist",
       Table({{L"lanfhe_fixture_beside.dll", "NoSuchExport", nullptr}}),
       L"在外部动态链接库\"lanfhe_fixture_beside.dll\"中未找到所需要的输出函数\"NoSuchExport\"!", 1},
      {"function name in UTF-8",
       Table({{L"lanfhe_fixture_beside.dll", "\xE7\xBC\xBA\xE5\xA4\xB1", nullptr}}),
       L"在外部动态链接库\"lanfhe_fixture_beside.dll\"中未找到所需要的输出函数\"缺失\"!", 1},
      {"first row with an empty library name",
       Table({{L"", "FixtureWhere", nullptr}}),
       L"载入运行时所需要的外部动态链接库文件\"\"失败!", 0},
      {"empty library name after a loaded one",
       Table({{L"lanfhe_fixture_beside.dll", "FixtureWhere", nullptr}, {L"", "NoSuchExport", nullptr}}),
       L"在外部动态链接库\"lanfhe_fixture_beside.dll\"中未找到所需要的输出函数\"NoSuchExport\"!", 1},
      {"missing library after a loaded one",
       Table({{L"lanfhe_fixture_beside.dll", "FixtureWhere", nullptr},
              {L"lanfhe_no_such_library.dll", "FixtureWhere", nullptr}}),
       L"载入运行时所需要的外部动态链接库文件\"lanfhe_no_such_library.dll\"失败!", 1},
      {"ordinal that is not exported",
       Table({{L"lanfhe_fixture_beside.dll", "@77", nullptr}}),
       L"在外部动态链接库\"lanfhe_fixture_beside.dll\"中未找到所需要的输出函数\"@77\"!", 1},
      // Beyond 16 bits a number passed as the name would be read as a text pointer.
      {"ordinal beyond 16 bits",
       Table({{L"lanfhe_fixture_beside.dll", "@70000", nullptr}}),
       L"在外部动态链接库\"lanfhe_fixture_beside.dll\"中未找到所需要的输出函数\"@70000\"!", 1},
      {"negative ordinal",
       Table({{L"lanfhe_fixture_beside.dll", "@-1", nullptr}}),
       L"在外部动态链接库\"lanfhe_fixture_beside.dll\"中未找到所需要的输出函数\"@-1\"!", 1},
      {"no function name",
       Table({{L"lanfhe_fixture_beside.dll", nullptr, nullptr}}),
       L"在外部动态链接库\"lanfhe_fixture_beside.dll\"中未找到所需要的输出函数\"\"!", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<DynamicImportEntry> table = c.table;
    try {
      LoadDynamicImports(table.data());
      ADD_FAILURE() << "no exception";
    } catch (const CVolException& failure) {
      EXPECT_EQ(failure.GetCode(), -1);
      EXPECT_EQ(std::wstring(failure.GetDescription().GetText()), c.message);
    }
    EXPECT_EQ(LoadedCount(), c.librariesLoaded);
    FreeDynamicImports();
  }
}

// "@0", "@" and "@abc" all read as ordinal 0, which passed in place of a name pointer is a null name.
// A library with an export at ordinal 0 would hand that export out for them.
TEST_F(DynamicImports, AnOrdinalOutside1To65535IsNeverLookedUp) {
#ifndef LANFHE_ORDINAL_ZERO_FIXTURE
  GTEST_SKIP() << "the library with an export at ordinal 0 is built by the GNU tools only";
#else
  const wchar_t* library = L"lanfhe_fixture_ordinal_zero.dll";
  auto control = Table({{library, "@1", nullptr}});
  ASSERT_EQ(LoadDynamicImports(control.data()), 1);
  EXPECT_EQ(CallIntFunction(control[0].address), 1);
  ASSERT_NE(GetProcAddress(LoadedAt(0), MAKEINTRESOURCEA(0)), nullptr)
      << "nothing is exported at ordinal 0: this test shows nothing";
  FreeDynamicImports();

  for (const char* function : {"@0", "@", "@abc", "@65536"}) {
    SCOPED_TRACE(function);
    auto table = Table({{library, function, nullptr}});
    try {
      LoadDynamicImports(table.data());
      ADD_FAILURE() << "no exception";
    } catch (const CVolException& failure) {
      const std::wstring name(function, function + std::strlen(function));
      EXPECT_EQ(std::wstring(failure.GetDescription().GetText()),
                std::wstring(L"在外部动态链接库\"") + library + L"\"中未找到所需要的输出函数\"" + name + L"\"!");
    }
    EXPECT_EQ(table[0].address, nullptr);
    FreeDynamicImports();
  }
#endif
}

// Under Wine, user32 is Wine's own whatever path names it. This asks Wine to load the file that a
// path names, as Windows does, for the planted copy only, while the test runs.
class NativeLoadOverride {
 public:
  explicit NativeLoadOverride(const std::wstring& pathWithoutExtension) : name_(pathWithoutExtension) {
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) return;
    if (RegCreateKeyW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", &key_) != ERROR_SUCCESS) return;
    const wchar_t value[] = L"native";
    RegSetValueExW(key_, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
  }
  ~NativeLoadOverride() {
    if (key_ == nullptr) return;
    RegDeleteValueW(key_, name_.c_str());
    RegCloseKey(key_);
  }
  NativeLoadOverride(const NativeLoadOverride&) = delete;
  NativeLoadOverride& operator=(const NativeLoadOverride&) = delete;

 private:
  std::wstring name_;
  HKEY key_ = nullptr;
};

// Exit code of planted_probe.exe loading library: 0 when the planted code ran in it.
DWORD ProbeLoading(const std::wstring& library) {
  const std::wstring probe = ExeDirectory() + L"planted_probe.exe";
  std::wstring commandLine = L"\"" + probe + L"\" \"" + library + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(probe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return 100;
  }
  DWORD exitCode = 101;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

bool PlantedCodeRanHere() {
  wchar_t name[kPlantedUser32MarkUnits];
  PlantedUser32MarkName(GetCurrentProcessId(), name);
  HANDLE mark = OpenEventW(SYNCHRONIZE, FALSE, name);
  if (mark == nullptr) return false;
  CloseHandle(mark);
  return true;
}

std::wstring LowerCase(std::wstring text) {
  CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

// A file named User32.dll in the program's directory, as one might land beside a program in a
// downloads folder, must not be loaded into it: user32 comes from the system directory.
TEST_F(DynamicImports, APlantedUser32BesideTheProgramIsNeverLoaded) {
  const std::wstring planted = FixtureProgramDirectory() + L"User32.dll";
  const NativeLoadOverride honourThePlantedFile(FixtureProgramDirectory() + L"User32");
  ASSERT_EQ(ProbeLoading(planted), 0u) << "loading the planted file by its path does not run it: this test shows nothing";
  UseFixtureProgramDirectory();

  EXPECT_EQ(LoadDynamicImports(), 1);

  EXPECT_FALSE(PlantedCodeRanHere());
  ASSERT_EQ(LoadedCount(), 1);
  wchar_t system[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryW(system, MAX_PATH), 0u);
  EXPECT_EQ(LowerCase(ModulePath(LoadedAt(0))), LowerCase(std::wstring(system) + L"\\user32.dll"));
  for (int i = 0; i < kUser32ImportCount; ++i) {
    SCOPED_TRACE(g_user32Imports[i].function);
    EXPECT_EQ(g_user32Imports[i].address, reinterpret_cast<void*>(GetProcAddress(LoadedAt(0), g_user32Imports[i].function)));
  }
}

}  // namespace
