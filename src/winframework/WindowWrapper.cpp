#include "winframework/WindowWrapper.h"

CMfcWndObject::CMfcWndObject(PlatformWindow* adapter) : window_(adapter) {}

CMfcWndObject::~CMfcWndObject() {
  // The adapter goes before the font: destroying a window that still exists may use it.
  delete window_;
  window_ = nullptr;
}

const CVolClassTag& CMfcWndObject::ClassInfo() {
  static const CVolClassTag tag = MakeClassTag("CMfcWndObject");
  return tag;
}

const CVolClassTag& CMfcWndObject::GetClassInfo() const { return ClassInfo(); }

bool CMfcWndObject::IsKindOf(const CVolClassTag& tag) const { return SameClass(tag, ClassInfo()); }

void CMfcWndObject::OnFinalRelease() {
  if (window_ == nullptr || window_->Handle() == nullptr) return;
  // An adapter without a window has nothing to delete it, so the destructor does.
  window_->SetAutoDelete(windowDeletesItself);
  window_->DestroyWindow();
  if (windowDeletesItself) window_ = nullptr;
}
