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
  if (window_ == nullptr) return;
  // A handler that deletes, resets or reassigns its own object runs inside the adapter's window
  // procedure: the adapter must outlive that call and deletes itself once it returns.
  if (window_->InDispatch()) windowDeletesItself = true;
  // An adapter without a window and outside its procedure has nothing else to delete it: the
  // destructor does.
  if (window_->Handle() == nullptr && !window_->InDispatch()) return;
  window_->SetAutoDelete(windowDeletesItself);
  if (window_->Handle() != nullptr) window_->DestroyWindow();
  if (windowDeletesItself) window_ = nullptr;
}
