// The program's resources as a linked executable carries them: exactly one process manifest with the
// right contents, and icons 100 and 500 with their image sizes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <string>
#include <vector>

#include "resources/ResourceIds.h"

namespace {

struct ResourceBytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

ResourceBytes FindBytes(LPCWSTR type, int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
  // Named (not numbered) resources are recorded as -1.
  reinterpret_cast<std::vector<long>*>(names)->push_back(IS_INTRESOURCE(name) ? static_cast<long>(reinterpret_cast<ULONG_PTR>(name)) : -1);
  return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
  return TRUE;
}

std::string ManifestText() {
  const ResourceBytes bytes = FindBytes(RT_MANIFEST, 1);
  return bytes.data != nullptr ? std::string(reinterpret_cast<const char*>(bytes.data), bytes.size) : std::string();
}

// The opening tag of the first element named element at or after from, or "" when there is none.
std::string OpeningTag(const std::string& xml, const std::string& element, size_t from = 0) {
  for (size_t at = xml.find("<" + element, from); at != std::string::npos; at = xml.find("<" + element, at + 1)) {
    const char next = xml[at + 1 + element.size()];
    if (std::isspace(static_cast<unsigned char>(next)) || next == '/' || next == '>') {
      return xml.substr(at, xml.find('>', at) - at + 1);
    }
  }
  return {};
}

// The value of attribute in an opening tag; "<missing>" when absent.
std::string Attribute(const std::string& tag, const std::string& name) {
  for (size_t at = tag.find(name + "=\""); at != std::string::npos; at = tag.find(name + "=\"", at + 1)) {
    if (at > 0 && std::isspace(static_cast<unsigned char>(tag[at - 1]))) {
      const size_t start = at + name.size() + 2;
      return tag.substr(start, tag.find('"', start) - start);
    }
  }
  return "<missing>";
}

TEST(ProgramManifest, IsTheExecutablesOnlyManifest) {
  HMODULE module = GetModuleHandleW(nullptr);
  std::vector<long> names;
  EnumResourceNamesW(module, RT_MANIFEST, CollectName, reinterpret_cast<LONG_PTR>(&names));
  EXPECT_EQ(names, std::vector<long>{1});
  std::vector<WORD> languages;
  EnumResourceLanguagesW(module, RT_MANIFEST, MAKEINTRESOURCEW(1), CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  EXPECT_EQ(languages.size(), 1u);
  // The test executable also links a stand-in of the toolchain's default manifest: ours must win.
  EXPECT_NE(ManifestText().find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

TEST(ProgramManifest, DeclaresCommonControls6AsInvokerWithoutUiAccess) {
  const std::string xml = ManifestText();
  ASSERT_FALSE(xml.empty());
  const size_t dependency = xml.find("<dependentAssembly");
  ASSERT_NE(dependency, std::string::npos);
  const std::string identity = OpeningTag(xml, "assemblyIdentity", dependency);
  const std::string level = OpeningTag(xml, "requestedExecutionLevel");
  struct Expected {
    const std::string& tag;
    const char* attribute;
    const char* value;
  };
  const Expected table[] = {
      {identity, "type", "win32"},
      {identity, "name", "Microsoft.Windows.Common-Controls"},
      {identity, "version", "6.0.0.0"},
      {identity, "processorArchitecture", "amd64"},
      {identity, "publicKeyToken", "6595b64144ccf1df"},
      {level, "level", "asInvoker"},
      {level, "uiAccess", "false"},
  };
  for (const Expected& row : table) {
    EXPECT_EQ(Attribute(row.tag, row.attribute), row.value) << row.attribute << " in " << row.tag;
  }
}

// The text between an element's opening tag and its closing tag; "<missing>" without the element.
std::string ElementText(const std::string& xml, const std::string& element) {
  const std::string tag = OpeningTag(xml, element);
  if (tag.empty()) return "<missing>";
  const size_t start = xml.find(tag) + tag.size();
  const size_t end = xml.find("</" + element + ">", start);
  return end == std::string::npos ? "<missing>" : xml.substr(start, end - start);
}

TEST(ProgramManifest, DeclaresPerMonitorDpiAwarenessWithTheOlderSystemsForm) {
  const std::string xml = ManifestText();
  ASSERT_FALSE(xml.empty());
  const std::string settings = OpeningTag(xml, "application");
  EXPECT_EQ(Attribute(settings, "xmlns"), "urn:schemas-microsoft-com:asm.v3");
  // Systems that know only the older element read per-monitor awareness from "true/pm"; newer ones
  // take the first value of the list they understand.
  const std::string aware = OpeningTag(xml, "dpiAware");
  EXPECT_EQ(Attribute(aware, "xmlns"), "http://schemas.microsoft.com/SMI/2005/WindowsSettings");
  EXPECT_EQ(ElementText(xml, "dpiAware"), "true/pm");
  const std::string awareness = OpeningTag(xml, "dpiAwareness");
  EXPECT_EQ(Attribute(awareness, "xmlns"), "http://schemas.microsoft.com/SMI/2016/WindowsSettings");
  EXPECT_EQ(ElementText(xml, "dpiAwareness"), "PerMonitorV2, PerMonitor");
}

TEST(ProgramManifest, BindsTheProcessToCommonControls6) {
  // The loader reads the manifest at start: common controls then come from the side-by-side store's
  // version 6 assembly instead of the system folder.
  HMODULE comctl = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  wchar_t path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(comctl, path, MAX_PATH), 0u);
  std::wstring lower(path);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return static_cast<wchar_t>(towlower(c)); });
  EXPECT_NE(lower.find(L"\\winsxs\\"), std::wstring::npos) << lower;
  EXPECT_NE(lower.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::wstring::npos);
  FreeLibrary(comctl);
}

struct IconGroupEntry {
  int width;
  int height;
  int planes;
  int bitCount;
  int imageId;
};

std::vector<IconGroupEntry> ReadIconGroup(int id) {
  const ResourceBytes group = FindBytes(RT_GROUP_ICON, id);
  std::vector<IconGroupEntry> entries;
  if (group.data == nullptr || group.size < 6) return entries;
  auto word = [&](size_t at) { return group.data[at] | (group.data[at + 1] << 8); };
  if (word(0) != 0 || word(2) != 1) return entries;
  const int count = word(4);
  for (int i = 0; i < count && 6 + 14u * (i + 1) <= group.size; ++i) {
    const size_t at = 6 + 14u * i;
    const int width = group.data[at] == 0 ? 256 : group.data[at];
    const int height = group.data[at + 1] == 0 ? 256 : group.data[at + 1];
    entries.push_back({width, height, word(at + 4), word(at + 6), word(at + 12)});
  }
  return entries;
}

struct IconCase {
  int id;
  std::vector<int> sizes;
};

TEST(ProgramIcons, CarryTheirImageSizesAt32BitsWithAntiAliasedAlpha) {
  const IconCase table[] = {
      // Every size the system asks for from 100 % to 200 % display scale, small and big icons alike.
      {IDI_WINDOW_ICON, {64, 48, 40, 32, 24, 20, 16}},
      {IDI_TRAY_ICON, {64, 48, 40, 32, 24, 20, 16}},
  };
  for (const IconCase& icon : table) {
    SCOPED_TRACE("icon " + std::to_string(icon.id));
    const std::vector<IconGroupEntry> entries = ReadIconGroup(icon.id);
    ASSERT_EQ(entries.size(), icon.sizes.size());
    const ResourceBytes group = FindBytes(RT_GROUP_ICON, icon.id);
    for (size_t i = 0; i < entries.size(); ++i) {
      const IconGroupEntry& entry = entries[i];
      const int size = icon.sizes[i];
      SCOPED_TRACE("size " + std::to_string(size));
      EXPECT_EQ(entry.width, size);
      EXPECT_EQ(entry.height, size);
      EXPECT_EQ(entry.planes, 1);
      EXPECT_EQ(entry.bitCount, 32);

      const ResourceBytes image = FindBytes(RT_ICON, entry.imageId);
      ASSERT_NE(image.data, nullptr);
      ASSERT_GE(image.size, sizeof(BITMAPINFOHEADER) + 4u * size * size);
      BITMAPINFOHEADER header;
      memcpy(&header, image.data, sizeof(header));
      EXPECT_EQ(header.biWidth, size);
      EXPECT_EQ(header.biHeight, 2 * size);  // colour image and mask
      EXPECT_EQ(header.biBitCount, 32);
      // Transparent background, opaque body and soft edges in between.
      int transparent = 0, opaque = 0, partial = 0;
      for (int p = 0; p < size * size; ++p) {
        const BYTE alpha = image.data[header.biSize + 4 * p + 3];
        (alpha == 0 ? transparent : alpha == 255 ? opaque : partial)++;
      }
      EXPECT_GT(transparent, 0);
      EXPECT_GT(opaque, size * size / 8);
      EXPECT_GT(partial, 0);

      // The system picks this very image when asked for its size, and can build an icon from it.
      EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group.data), TRUE, size, size, LR_DEFAULTCOLOR),
                entry.imageId);
      HICON handle = CreateIconFromResourceEx(const_cast<BYTE*>(image.data), image.size, TRUE, 0x00030000, size, size,
                                              LR_DEFAULTCOLOR);
      ASSERT_NE(handle, nullptr);
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(handle, &info));
      BITMAP colour{};
      ASSERT_NE(info.hbmColor, nullptr);
      GetObjectW(info.hbmColor, sizeof(colour), &colour);
      EXPECT_EQ(colour.bmWidth, size);
      EXPECT_EQ(colour.bmHeight, size);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(handle);
    }
    HICON loaded = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon.id));
    EXPECT_NE(loaded, nullptr);
  }
}

}  // namespace
