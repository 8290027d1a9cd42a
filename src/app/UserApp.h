// The program's application object and its class chain: the object start-up creates from its class
// record, the hooks it offers the message loop (pre-translation, idle time, exit), and the table of
// boxed base types it knows.
#pragma once

#include "runtime/BaseTypeTable.h"
#include "runtime/VolObject.h"

#include <windows.h>

#include <cstdint>

class CVolUserApp : public CVolObject {
 public:
  // Becomes the process's application object (g_appInstance.userApp).
  CVolUserApp();
  ~CVolUserApp() override;

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  // 19. The records of the boxed base types; none here.
  virtual const BaseTypeRows* GetBaseTypeTable() const;
};

class CVolProgramApp : public CVolUserApp {
 public:
  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  // The eight boxed classes' records.
  const BaseTypeRows* GetBaseTypeTable() const override;
};

class CVolWindowedApp : public CVolProgramApp {
 public:
  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  // 20. 0 makes the message loop consume the message; 1 lets it pass.
  virtual int32_t OnAppPreTranslate(HWND window, UINT message, WPARAM wParam, LPARAM lParam, MSG& msg);
  // 21. Nonzero asks for more idle calls while the queue stays empty.
  virtual int32_t OnAppIdle(uint32_t idleMilliseconds);
  // 22. The message loop has ended.
  virtual void OnAppExit();
};

// The program's own application class; it keeps the three defaults.
class CBridgeApp : public CVolWindowedApp {
 public:
  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;
};
