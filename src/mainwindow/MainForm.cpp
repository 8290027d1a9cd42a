#include "mainwindow/MainForm.h"

#include "mainwindow/ProgramTexts.h"
#include "runtime/VolStream.h"
#include "winframework/WinCreateInfo.h"

namespace {

CVolObject* CreateMainForm() { return new CBridgeMainForm(); }

// The handlers as the event slots call them: the owner is the form that bound them.
CBridgeMainForm& Form(CVolObject* owner) { return *static_cast<CBridgeMainForm*>(owner); }

int32_t Created(CVolObject* owner, CVolObject* sender, int32_t) { return Form(owner).OnMainFormCreated(sender); }
int32_t CloseRequest(CVolObject* owner, CVolObject* sender, int32_t) {
  return Form(owner).OnMainFormCloseRequest(sender);
}
int32_t TrayNotify(CVolObject* owner, CVolObject* sender, int32_t, int32_t kind) {
  return Form(owner).OnMainFormTrayNotify(sender, kind);
}
int32_t SaveClick(CVolObject* owner, CVolObject* sender, int32_t) { return Form(owner).OnSaveClick(sender); }
int32_t CtrlCheckClick(CVolObject* owner, CVolObject* sender, int32_t) { return Form(owner).OnCtrlCheckClick(sender); }
int32_t DeviceCheckClick(CVolObject* owner, CVolObject* sender, int32_t) {
  return Form(owner).OnDeviceCheckClick(sender);
}

}  // namespace

CBridgeMainForm::CBridgeMainForm() : formEvents(new CVolEventObjectPointer(this)) {
  SetControlText(kProgramTitle);
  SetMaxButton(false);
  SetMinButton(false);
  SetVisible(false);
}

CBridgeMainForm::~CBridgeMainForm() {
  if (formEvents != nullptr) formEvents->TearDown();
  formEvents = nullptr;
}

const CVolClassInfo& CBridgeMainForm::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateMainForm, "rg_n::rg_n41428");
  return info;
}

const CVolClassInfo& CBridgeMainForm::GetClassInfo() const { return ClassInfo(); }

bool CBridgeMainForm::IsEqual(const CVolObject& other) const { return HeaderEquals(other) && &other == this; }

CBridgeMainForm* CBridgeMainForm::CreateNew() const { return new CBridgeMainForm(); }

bool CBridgeMainForm::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(ClassInfo())) return false;
  const auto& form = static_cast<const CBridgeMainForm&>(source);
  if (!CVolWinForm::AssignFrom(form)) return false;
  keyCombo.AssignFrom(form.keyCombo);
  saveButton.AssignFrom(form.saveButton);
  ctrlCheck.AssignFrom(form.ctrlCheck);
  return true;
}

bool CBridgeMainForm::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolWinForm::IsKindOf(info);
}

void CBridgeMainForm::LoadFrom(IVolStream* stream) {
  CVolWinForm::LoadFrom(stream);
  for (CVolWinControl* control : {static_cast<CVolWinControl*>(&keyCombo), static_cast<CVolWinControl*>(&saveButton),
                                  static_cast<CVolWinControl*>(&ctrlCheck)}) {
    if (!StreamIsHealthy(stream)) return;
    control->LoadFrom(stream);
  }
}

void CBridgeMainForm::SaveTo(IVolStream* stream) const {
  CVolWinForm::SaveTo(stream);
  for (const CVolWinControl* control : {static_cast<const CVolWinControl*>(&keyCombo),
                                        static_cast<const CVolWinControl*>(&saveButton),
                                        static_cast<const CVolWinControl*>(&ctrlCheck)}) {
    if (!StreamIsHealthy(stream)) return;
    control->SaveTo(stream);
  }
}

void CBridgeMainForm::CreateChild(CVolWinControl& control, int32_t left, int32_t top, int32_t width, int32_t height,
                                  int32_t id) {
  CVolWinCreateInfo info;
  info.parentWindow = HasWindow() ? Adapter() : nullptr;
  info.parentControl = info.parentWindow != nullptr ? this : nullptr;
  info.left = left;
  info.top = top;
  info.width = width;
  info.height = height;
  info.controlId = id;
  CreateDesignedChild(control, info);  // a control that cannot be created stays without a window
}

void CBridgeMainForm::OnCreateChildren() {
  BindEvent(ContainerEvents::kCreated, formEvents, &Created);
  AttachListener();
  BindEvent(FormEvents::kCloseRequest, formEvents, &CloseRequest);
  AttachListener();
  BindEvent(FormEvents::kTrayNotify, formEvents, &TrayNotify);
  AttachListener();

  CreateChild(keyCombo, 29, 14, 112, 30, kKeyComboId);

  saveButton.BindEvent(ButtonEvents::kClicked, formEvents, &SaveClick);
  saveButton.AttachListener();
  saveButton.SetControlText(L"保存");
  CreateChild(saveButton, 157, 6, 88, 32, kSaveButtonId);

  ctrlCheck.BindEvent(ButtonEvents::kClicked, formEvents, &CtrlCheckClick);
  ctrlCheck.AttachListener();
  ctrlCheck.SetControlText(L"启用组合键(Ctrl+组合键)");
  CreateChild(ctrlCheck, 29, 46, 184, 16, kCtrlCheckId);

  deviceCheck.BindEvent(ButtonEvents::kClicked, formEvents, &DeviceCheckClick);
  deviceCheck.AttachListener();
  deviceCheck.SetControlText(kDeviceCheckText);
  CreateChild(deviceCheck, 29, 68, 104, 16, kDeviceCheckId);
  // Two lines: a device's name and "（未连接）" after it do not fit on one.
  deviceLabel.SetWrapping(true);
  CreateChild(deviceLabel, 134, 69, 121, 30, kDeviceLabelId);
}
