#include "winframework/Label.h"

#include "winframework/WinCreateInfo.h"

namespace {

CVolObject* CreateLabel() { return new CVolLabel(); }

constexpr uint32_t kLabelStyle = SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS;

}  // namespace

CVolLabel::CVolLabel() : CVolWinControl(new CVWnd_Label()) { Wrapper()->style |= kLabelStyle; }

CVolLabel::~CVolLabel() { CVolLabel::DetachListener(); }

void CVolLabel::SetWrapping(bool wrap) {
  if (HasWindow()) return;
  if (wrap) {
    Wrapper()->style &= ~static_cast<uint32_t>(SS_ENDELLIPSIS);
  } else {
    Wrapper()->style |= SS_ENDELLIPSIS;
  }
}

const CVolClassInfo& CVolLabel::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateLabel, "rg_n10458::CVolLabel");
  return info;
}

const CVolClassInfo& CVolLabel::GetClassInfo() const { return ClassInfo(); }

CVolLabel* CVolLabel::CreateNew() const { return new CVolLabel(); }

bool CVolLabel::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolWinControl::IsKindOf(info);
}

int32_t CVolLabel::Create(CVolWinCreateInfo& info) {
  CVWnd_Label* adapter = LabelAdapter();
  if (adapter == nullptr || HasWindow()) return 0;
  if (!CreateSystemWindow(*adapter, info)) return 0;
  if (HasWindow()) OnWindowCreated(adapter, info);
  return 1;
}

void CVolLabel::AttachListener() {
  if (LabelAdapter() != nullptr) LabelAdapter()->SetListener(this);
}

void CVolLabel::DetachListener() {
  CVWnd_Label* adapter = LabelAdapter();
  if (adapter != nullptr && adapter->Listener() == static_cast<IBaseEventListener*>(this)) {
    adapter->SetListener(nullptr);
  }
}

int32_t CVolLabel::HasListener() {
  return LabelAdapter() != nullptr && LabelAdapter()->Listener() != nullptr ? 1 : 0;
}

bool CVolLabel::OnWindowMessage(MSG& msg) { return ProcessMessage(msg) != 0; }
