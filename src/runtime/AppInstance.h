// The process-wide runtime record. It is the first program object to be constructed and the last to
// be destroyed, because every other object takes its storage from the pool it holds. Through it the
// program reaches its own module: the module handle, string, data and image resources, and images
// decoded from files or memory.
#pragma once

#include "runtime/GdiplusSession.h"
#include "runtime/PoolMem.h"
#include "runtime/VolCommonBase.h"
#include "runtime/VolMem.h"

#include <windows.h>

#include <cstdint>

class CWString;
class CVolUserApp;  // the application object; its classes live with the application shell

class CVolAppInstance : public CVolCommonBase {
 public:
  // Bytes by which the list of loaded libraries grows.
  static constexpr int64_t kLoadedLibrariesGrowStep = 256;
  // First buffer of LoadResString, and the step by which it grows while a text may be cut.
  static constexpr int kResStringStep = 4100;

  // How a user application object that is still set at teardown gets deleted. The application
  // classes install it together with the object (only they know its type); null deletes nothing.
  using UserAppDeleter = void (*)(CVolUserApp*);
  static UserAppDeleter userAppDeleter;

  CVolAppInstance();
  // Deletes a remaining application object, balances the COM start-up, shuts GDI+ down, frees the
  // libraries still listed; the pool goes last.
  virtual ~CVolAppInstance();
  CVolAppInstance(const CVolAppInstance&) = delete;
  CVolAppInstance& operator=(const CVolAppInstance&) = delete;

  // 1. The stored handle; without one the base of the module that holds this code, null if unknown.
  virtual HMODULE GetInstanceHandle() const;
  // 2. Reserved; answers 0.
  virtual intptr_t Reserved() const;
  // 3. The string resource id into out (cleared first; id 0 or a missing string leaves it empty).
  virtual void LoadResString(int id, CWString& out) const;
  // 4. An image of kind (ImageKind) from the module's resources; null for id 0 or any failure.
  virtual HANDLE LoadResImage(int kind, int id);
  // 5. An image of kind from a file; null for a null or empty path or any failure.
  virtual HANDLE LoadFileImage(int kind, const wchar_t* path);
  // 6. Encoded bytes (any format GDI+ reads) as a DIB section; null for count <= 0 or any failure.
  virtual HBITMAP LoadMemImage(const void* bytes, int64_t count);
  // 7. The bytes of resource id (taken modulo 65536) of a numeric resource type into out. Answers 1,
  // or 0 with out empty when the resource cannot be had. Id 0 answers 1 with out empty.
  virtual int LoadResData(int id, CVolMem& out, int type) const;
  // 8. The RT_RCDATA resource id as UTF-16 text (a leading byte-order mark skipped, up to the first
  // NUL) into out. Answers 1, or 0 with out empty.
  virtual int LoadResText(int id, CWString& out) const;
  // 9. LoadResData of type RT_RCDATA.
  virtual int LoadResRcData(int id, CVolMem& out) const;

  // FreeLibrary for every handle in loadedLibraries, in load order; then the list is released.
  void FreeLoadedLibraries();

  // Created first, released last.
  CPoolMem pool;
  // Module handles (8 bytes each, in load order) of the libraries that the function table loaded.
  CVolMem loadedLibraries{kLoadedLibrariesGrowStep};
  // Set by the application object's constructor; null before start-up and after exit.
  CVolUserApp* userApp = nullptr;
  // 1 when the shell's own COM start-up succeeded and must be balanced.
  int32_t comInitialized = 0;
  double displayScale = 1.0;
  // The GDI+ start-up lock and token; GDI+ starts on the first image decode.
  GdiplusSession gdiplus;
  // The application's module handle once start-up has stored it.
  HMODULE instanceHandle = nullptr;
};

extern CVolAppInstance g_appInstance;
// The libraries loaded for the function table: the record's list under its process-wide name.
extern CVolMem& g_loadedLibraries;
