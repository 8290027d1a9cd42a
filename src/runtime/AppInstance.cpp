#include "runtime/AppInstance.h"

#include "runtime/ImageLoading.h"
#include "runtime/WString.h"

#include <objbase.h>

// Constructed ahead of every ordinary static object of the program, whatever the link order of the
// translation units, so that static objects may already allocate from the pool.
#if defined(_MSC_VER)
#pragma warning(disable : 4073)  // initializers put in library initialization area
#pragma init_seg(lib)
CVolAppInstance g_appInstance;
#else
CVolAppInstance g_appInstance __attribute__((init_priority(101)));
#endif

CVolMem& g_loadedLibraries = g_appInstance.loadedLibraries;

CVolAppInstance::UserAppDeleter CVolAppInstance::userAppDeleter = nullptr;

namespace {

// Any function of this module: VirtualQuery on its address finds the module's allocation base.
void ModuleAnchor() {}

}  // namespace

CVolAppInstance::CVolAppInstance() = default;

CVolAppInstance::~CVolAppInstance() {
  if (userApp != nullptr) {
    CVolUserApp* app = userApp;
    userApp = nullptr;
    if (userAppDeleter != nullptr) userAppDeleter(app);
  }
  if (comInitialized != 0) {
    comInitialized = 0;
    CoUninitialize();
  }
  gdiplus.Shutdown();
  FreeLoadedLibraries();
  // The members go in reverse order of declaration, so the pool is returned to the heap last.
}

void CVolAppInstance::FreeLoadedLibraries() {
  const int64_t count = loadedLibraries.GetLength() / static_cast<int64_t>(sizeof(HMODULE));
  for (int64_t i = 0; i < count; ++i) {
    HMODULE module = nullptr;
    CopyMemory(&module, loadedLibraries.GetData() + i * static_cast<int64_t>(sizeof(HMODULE)), sizeof module);
    if (module != nullptr) FreeLibrary(module);
  }
  loadedLibraries.Clear();
}

HMODULE CVolAppInstance::GetInstanceHandle() const {
  if (instanceHandle != nullptr) return instanceHandle;
  MEMORY_BASIC_INFORMATION region{};
  if (VirtualQuery(reinterpret_cast<const void*>(&ModuleAnchor), &region, sizeof region) == 0) return nullptr;
  return static_cast<HMODULE>(region.AllocationBase);
}

intptr_t CVolAppInstance::Reserved() const { return 0; }

void CVolAppInstance::LoadResString(int id, CWString& out) const {
  out.Clear();
  if (id == 0) return;
  const HMODULE module = GetInstanceHandle();
  CVolMem buffer;
  // LoadStringW cuts a text to the buffer less its NUL, so a text that leaves fewer than two units
  // free may have been cut: try again with a larger buffer. String resources are at most 65,535
  // units long, so this ends.
  for (int units = kResStringStep;; units += kResStringStep) {
    wchar_t* text = reinterpret_cast<wchar_t*>(buffer.SetSize(static_cast<int64_t>(units) * 2));
    if (text == nullptr) return;
    const int loaded = LoadStringW(module, static_cast<UINT>(id), text, units);
    if (loaded <= units - 2) {
      if (loaded > 0) out.AssignCounted(text, loaded);
      return;
    }
  }
}

HANDLE CVolAppInstance::LoadResImage(int kind, int id) {
  return LoadImageFromResource(gdiplus, GetInstanceHandle(), kind, id);
}

HANDLE CVolAppInstance::LoadFileImage(int kind, const wchar_t* path) {
  return LoadImageFromFile(gdiplus, kind, path);
}

HBITMAP CVolAppInstance::LoadMemImage(const void* bytes, int64_t count) {
  return LoadBitmapFromMemory(gdiplus, bytes, static_cast<INT_PTR>(count));
}

int CVolAppInstance::LoadResData(int id, CVolMem& out, int type) const {
  out.SetSize(0);
  if (id == 0) return 1;
  const unsigned name = static_cast<unsigned>(id) & 0xFFFFu;
  // Numeric names and types only: anything beyond 16 bits would be taken for a text pointer.
  if (name == 0 || type <= 0 || type > 0xFFFF) return 0;
  const HMODULE module = GetInstanceHandle();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(name), MAKEINTRESOURCEW(type));
  if (found == nullptr) return 0;
  HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr) return 0;
  const void* bytes = LockResource(loaded);
  if (bytes == nullptr) return 0;
  out.AppendBytes(bytes, static_cast<int64_t>(SizeofResource(module, found)));
  return 1;
}

int CVolAppInstance::LoadResText(int id, CWString& out) const {
  out.Clear();
  CVolMem data;
  if (LoadResData(id, data, 10) == 0) return 0;
  // Four zero bytes end the text even when the data has no NUL or an odd length.
  data.AppendBytes(nullptr, 4);
  const wchar_t* text = reinterpret_cast<const wchar_t*>(data.GetData());
  if (text[0] == 0xFEFF) ++text;
  out.Append(text);
  return 1;
}

int CVolAppInstance::LoadResRcData(int id, CVolMem& out) const { return LoadResData(id, out, 10); }
