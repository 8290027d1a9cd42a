#include "app/UserApp.h"

#include "runtime/AppInstance.h"

namespace {

CVolObject* CreateUserApp() { return new CVolUserApp(); }
CVolObject* CreateProgramApp() { return new CVolProgramApp(); }
CVolObject* CreateWindowedApp() { return new CVolWindowedApp(); }
CVolObject* CreateBridgeApp() { return new CBridgeApp(); }

// How the runtime record deletes an application object still set at its teardown.
void DeleteUserApp(CVolUserApp* app) { CVolObject::Delete(app); }

}  // namespace

// ---- CVolUserApp

CVolUserApp::CVolUserApp() {
  CVolAppInstance::userAppDeleter = &DeleteUserApp;
  g_appInstance.userApp = this;
}

CVolUserApp::~CVolUserApp() {
  if (g_appInstance.userApp == this) g_appInstance.userApp = nullptr;
}

const CVolClassInfo& CVolUserApp::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateUserApp, "CVolUserApp");
  return info;
}

const CVolClassInfo& CVolUserApp::GetClassInfo() const { return ClassInfo(); }
bool CVolUserApp::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}

const BaseTypeRows* CVolUserApp::GetBaseTypeTable() const { return nullptr; }

// ---- CVolProgramApp

const CVolClassInfo& CVolProgramApp::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateProgramApp, "rg_n1::rg_n6343");
  return info;
}

const CVolClassInfo& CVolProgramApp::GetClassInfo() const { return ClassInfo(); }
bool CVolProgramApp::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolUserApp::IsKindOf(info);
}

const BaseTypeRows* CVolProgramApp::GetBaseTypeTable() const { return &BaseTypeTable(); }

// ---- CVolWindowedApp

const CVolClassInfo& CVolWindowedApp::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateWindowedApp, "rg_n1::rg_n6352");
  return info;
}

const CVolClassInfo& CVolWindowedApp::GetClassInfo() const { return ClassInfo(); }
bool CVolWindowedApp::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolProgramApp::IsKindOf(info);
}

int32_t CVolWindowedApp::OnAppPreTranslate(HWND, UINT, WPARAM, LPARAM, MSG&) { return 1; }
int32_t CVolWindowedApp::OnAppIdle(uint32_t) { return 0; }
void CVolWindowedApp::OnAppExit() {}

// ---- CBridgeApp

const CVolClassInfo& CBridgeApp::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateBridgeApp, "rg_n::rg_n41423");
  return info;
}

const CVolClassInfo& CBridgeApp::GetClassInfo() const { return ClassInfo(); }
bool CBridgeApp::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolWindowedApp::IsKindOf(info);
}
