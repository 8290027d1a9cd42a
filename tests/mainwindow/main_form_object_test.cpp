// The main form as an object, before any window exists: what its constructor stores, its identity
// (only the very form equals itself), assignment between forms and from other classes, and the end
// of its events when it goes.
#include "mainwindow/MainForm.h"
#include "winframework/WinCreateInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(MainFormObject, IsBuiltHiddenWithItsTitleAndNoBoxes) {
  CBridgeMainForm form;
  EXPECT_STREQ(form.GetClassInfo().name, "rg_n::rg_n41428");
  EXPECT_FALSE(form.HasWindow());
  EXPECT_STREQ(form.GetControlText().GetText(), L"岚枫禾无线按钮扩展");
  EXPECT_FALSE(form.IsVisible());
  EXPECT_EQ(form.Wrapper()->style & WS_VISIBLE, 0u);
  EXPECT_FALSE(form.FormAdapter()->maxButton);
  EXPECT_FALSE(form.FormAdapter()->minButton);
  EXPECT_TRUE(form.FormAdapter()->controlBox);
  EXPECT_EQ(form.FormAdapter()->borderStyle, 2);
  EXPECT_EQ(form.GetDefaultClientWidth(), 256);
  EXPECT_EQ(form.GetDefaultClientHeight(), 106);
  EXPECT_EQ(form.formEvents->Owner(), &form);
  for (const auto& info : {CVolWinForm::ClassInfo(), CVolWindowBase::ClassInfo(), CVolWinContainer::ClassInfo(),
                           CVolWinControl::ClassInfo()}) {
    EXPECT_TRUE(form.IsKindOf(info)) << info.name;
  }
}

TEST(MainFormObject, OnlyTheVeryFormEqualsItEvenAfterCloning) {
  CBridgeMainForm form;
  EXPECT_TRUE(form.IsEqual(form));
  CVolObject* copy = form.Clone();
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(copy->IsKindOf(CBridgeMainForm::ClassInfo()));
  EXPECT_FALSE(form.IsEqual(*copy));
  EXPECT_FALSE(copy->IsEqual(form));
  CVolObject::Delete(copy);
}

TEST(MainFormObject, TakesValuesOnlyFromAnotherMainFormAndKeepsItsOwnEvents) {
  CBridgeMainForm form;
  CBridgeMainForm other;
  other.ctrlCheck.DataText() = CWString(L"选中");
  CVolEventObjectPointer* const ownEvents = form.formEvents;
  EXPECT_TRUE(form.AssignFrom(other));
  EXPECT_EQ(form.formEvents, ownEvents);
  EXPECT_EQ(form.Wrapper(), other.Wrapper()) << "the form part shares the other's window wrapper";
  EXPECT_EQ(form.keyCombo.Wrapper(), other.keyCombo.Wrapper());
  EXPECT_STREQ(form.ctrlCheck.DataText().GetText(), L"选中");

  CVolWinForm plain;
  EXPECT_FALSE(form.AssignFrom(plain)) << "a plain form is not a main form";
  EXPECT_EQ(form.Wrapper(), other.Wrapper());
}

// Bound to a control of a form that is being destroyed: must never run.
int32_t MustNotRun(CVolObject*, CVolObject*, int32_t) {
  ADD_FAILURE() << "a handler ran after the form's destruction began";
  return 0;
}

TEST(MainFormObject, ItsEventsEndWithTheFormWhileItsControlsStillHoldThem) {
  auto* form = new CBridgeMainForm();
  CVolEventObjectPointer* events = form->formEvents;
  events->AddRef();  // the test's own look at the pointer
  form->saveButton.BindEvent(ButtonEvents::kClicked, events, &MustNotRun);
  // A button that outlives the form, bound through the form's pointer: its slot stays bound after
  // the form is gone, as a window that outlives its owner would.
  CVolPushButton outliving;
  outliving.BindEvent(ButtonEvents::kClicked, events, &MustNotRun);
  CVolObject::Delete(form);
  EXPECT_EQ(events->Owner(), nullptr);
  outliving.OnClick();  // the click reaches the button: nothing runs
  outliving.BindEvent(ButtonEvents::kClicked, nullptr, nullptr);
  EXPECT_TRUE(events->Release()) << "nothing else held the pointer";
}

}  // namespace
