#include "winframework/ComboBox.h"

#include "winframework/WinCreateInfo.h"

namespace {

CVolObject* CreateComboBox() { return new CVolComboBox(); }

constexpr uint32_t kComboStyle = WS_TABSTOP | CBS_DROPDOWN;

}  // namespace

CVolComboBox::CVolComboBox() : CVolWinControl(new CVWnd_ComboBox()) { Wrapper()->style |= kComboStyle; }

CVolComboBox::~CVolComboBox() { CVolComboBox::DetachListener(); }

const CVolClassInfo& CVolComboBox::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateComboBox, "rg_n10458::rg_n10936");
  return info;
}

const CVolClassInfo& CVolComboBox::GetClassInfo() const { return ClassInfo(); }

CVolComboBox* CVolComboBox::CreateNew() const { return new CVolComboBox(); }

bool CVolComboBox::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolWinControl::IsKindOf(info);
}

int32_t CVolComboBox::Create(CVolWinCreateInfo& info) {
  CVWnd_ComboBox* adapter = ComboAdapter();
  if (adapter == nullptr || HasWindow()) return 0;
  PrepareCreateInfo(info);
  AdjustCreateInfo(info);
  if (!adapter->CreateCombo(info)) return 0;
  if (HasWindow()) OnWindowCreated(adapter, info);
  return 1;
}

void CVolComboBox::AttachListener() {
  if (ComboAdapter() != nullptr) ComboAdapter()->SetListener(this);
}

void CVolComboBox::DetachListener() {
  CVWnd_ComboBox* adapter = ComboAdapter();
  if (adapter != nullptr && adapter->Listener() == static_cast<IComboEventListener*>(this)) {
    adapter->SetListener(nullptr);
  }
}

int32_t CVolComboBox::HasListener() {
  return ComboAdapter() != nullptr && ComboAdapter()->Listener() != nullptr ? 1 : 0;
}

void CVolComboBox::SetControlText(const wchar_t* text) {
  CVWnd_ComboBox* adapter = ComboAdapter();
  if (adapter == nullptr || !HasWindow()) {
    CVolWinControl::SetControlText(text);
    return;
  }
  struct SettingText {
    CVWnd_ComboBox& adapter;
    explicit SettingText(CVWnd_ComboBox& a) : adapter(a) { adapter.settingText = true; }
    ~SettingText() { adapter.settingText = false; }
  } setting(*adapter);
  CVolWinControl::SetControlText(text);
}

int32_t CVolComboBox::InsertItem(int32_t index, const wchar_t* text) {
  const HWND combo = Handle();
  if (combo == nullptr) return -1;
  const LRESULT inserted =
      SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text != nullptr ? text : L""));
  if (inserted < 0) return -1;
  SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(inserted), 0);
  return static_cast<int32_t>(inserted);
}

bool CVolComboBox::OnWindowMessage(MSG& msg) { return ProcessMessage(msg) != 0; }

void CVolComboBox::OnSelChange() { RaiseEvent(ComboEvents::kSelectionConfirmed); }

void CVolComboBox::OnEditChange() { RaiseEvent(ComboEvents::kEditChanged); }

void CVolComboBox::OnDropDown() { RaiseEvent(ComboEvents::kDropDown); }

void CVolComboBox::OnCloseUp() { RaiseEvent(ComboEvents::kCloseUp); }

void CVolComboBox::OnDoubleClick() { RaiseEvent(ComboEvents::kDoubleClick); }
