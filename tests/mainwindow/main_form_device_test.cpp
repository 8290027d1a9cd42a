// The form's row that restricts the key to the wireless button, with the form created in the test
// process and real middle clicks (xdotool) over a window of the test's own that has the foreground,
// where the form's keys land. Each case runs in a process of its own (the build registers them one
// by one): a form's start runs the single-instance guard, whose mark lasts as long as the process. Under Wine the only mouse is its virtual one, "VID_845E&PID_0001"; a
// stored other id stands for "another mouse".
#include "mainwindow/MainForm.h"
#include "settings/DynamicImports.h"
#include "support/InProcessTarget.h"
#include "support/NamedEvents.h"
#include "support/Notices.h"
#include "support/StoredSettings.h"
#include "winframework/WinCreateInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>

namespace {

constexpr wchar_t kWineMouse[] = L"VID_845E&PID_0001";
constexpr wchar_t kOtherMouse[] = L"VID_1234&PID_5678";

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

class MainFormDevice : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(XdotoolAvailable());
    // A copy of the program running in the prefix would make the guard end this process.
    ASSERT_FALSE(EventExists(L"重复运行"));
    LoadDynamicImports();
    ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));  // a first start: shown, space
    ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", std::nullopt));
    ASSERT_TRUE(target_.Create());
  }

  void TearDown() override {
    if (form_.HasWindow()) form_.FormAdapter()->DestroyWindow();
    target_.Destroy();
  }

  void CreateForm() {
    CVolWinCreateInfo info;
    ASSERT_EQ(form_.Create(info), 1);
    PumpMessages();
  }

  bool DeviceBoxTicked() { return SendMessageW(form_.deviceCheck.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // A click on the box through the button's own message, as the mouse would.
  void ClickDeviceBox() {
    SendMessageW(form_.deviceCheck.Handle(), BM_CLICK, 0, 0);
    PumpMessages();
  }
  std::wstring Label() { return form_.deviceLabel.GetControlText().GetText(); }

  // A real middle click over the target: the keys it brought (the click itself must arrive).
  KeyLines ClickTarget() {
    const int downs = InProcessTarget::Received().middleDowns;
    EXPECT_TRUE(target_.Click());
    EXPECT_EQ(InProcessTarget::Received().middleDowns, downs + 1) << "the click goes on to the target";
    return InProcessTarget::TakeKeys();
  }

  StoredSettingsBackup backup_;
  InProcessTarget target_;
  CBridgeMainForm form_;
};

TEST_F(MainFormDevice, TheNewRowBelowTheOthers) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrdevice", std::nullopt));
  ASSERT_NO_FATAL_FAILURE(CreateForm());
  RECT client{};
  GetClientRect(form_.Handle(), &client);
  EXPECT_EQ(client.right, 256);
  EXPECT_EQ(client.bottom, 106);
  EXPECT_EQ(GetDlgItem(form_.Handle(), CBridgeMainForm::kDeviceCheckId), form_.deviceCheck.Handle());
  EXPECT_EQ(GetDlgItem(form_.Handle(), CBridgeMainForm::kDeviceLabelId), form_.deviceLabel.Handle());
  wchar_t text[32] = {};
  GetWindowTextW(form_.deviceCheck.Handle(), text, 32);
  EXPECT_STREQ(text, L"只响应无线按钮");
  EXPECT_FALSE(DeviceBoxTicked());
  EXPECT_EQ(Label(), L"");
}

TEST_F(MainFormDevice, LearningARealPressChoosesItsDevice) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrdevice", std::nullopt));
  ASSERT_NO_FATAL_FAILURE(CreateForm());
  ClickDeviceBox();
  ASSERT_TRUE(DeviceBoxTicked());
  EXPECT_EQ(Label(), L"请按一下无线按钮");

  EXPECT_EQ(ClickTarget(), Stroke(VK_SPACE)) << "the learning press sends its key as before";
  EXPECT_EQ(Narrow(Label()), "Wine HID mouse") << "the label names the device";
  EXPECT_TRUE(DeviceBoxTicked());
  EXPECT_EQ(Narrow(form_.Input().ChosenDevice()), Narrow(kWineMouse));

  const long fromRaw = form_.Input().Counters().sentFromRaw;
  EXPECT_EQ(ClickTarget(), Stroke(VK_SPACE)) << "the chosen device's press sends";
  EXPECT_EQ(form_.Input().Counters().sentFromRaw, fromRaw + 1) << "from raw input, which knows the device";
}

TEST_F(MainFormDevice, ALearningWithoutAPressRunsOut) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrdevice", std::nullopt));
  ASSERT_NO_FATAL_FAILURE(CreateForm());
  form_.SetLearningTimeout(1000);
  ClickDeviceBox();
  ASSERT_TRUE(PumpUntil([&] { return !DeviceBoxTicked(); }, 5000)) << "the box was not cleared";
  EXPECT_EQ(Label(), L"没有收到按键，请重试");
  EXPECT_EQ(form_.Input().ChosenDevice(), L"");
  EXPECT_EQ(ClickTarget(), Stroke(VK_SPACE)) << "every device again";
}

TEST_F(MainFormDevice, AStoredOtherMouseKeepsThisOneSilentUntilTheBoxIsCleared) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrdevice", std::wstring(kOtherMouse)));
  ASSERT_NO_FATAL_FAILURE(CreateForm());
  EXPECT_TRUE(DeviceBoxTicked());
  EXPECT_EQ(Label(), L"VID_1234 PID_5678（未连接）") << "no present device has the stored id";

  EXPECT_TRUE(ClickTarget().empty()) << "filtered from the first press";

  ClickDeviceBox();
  EXPECT_FALSE(DeviceBoxTicked());
  EXPECT_EQ(Label(), L"");
  EXPECT_EQ(ClickTarget(), Stroke(VK_SPACE)) << "every device again, at once";
}

TEST_F(MainFormDevice, AStoredPresentDeviceIsNamedAndSendsOncePerPress) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrdevice", std::wstring(L"vid_845e&pid_0001")));
  ASSERT_NO_FATAL_FAILURE(CreateForm());
  EXPECT_TRUE(DeviceBoxTicked());
  EXPECT_EQ(Narrow(Label()), "Wine HID mouse");
  EXPECT_EQ(ClickTarget(), Stroke(VK_SPACE));
}

// This Wine sends no device notices (its one mouse never comes or goes): the notice is sent here as
// the system would send it.
TEST_F(MainFormDevice, ADeviceComingOrGoingUpdatesTheLabel) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrdevice", std::wstring(kWineMouse)));
  ASSERT_NO_FATAL_FAILURE(CreateForm());
  EXPECT_EQ(Narrow(Label()), "Wine HID mouse");
  form_.deviceLabel.SetControlText(L"stale");
  SendMessageW(form_.Input().Window(), WM_INPUT_DEVICE_CHANGE, GIDC_ARRIVAL, 1);
  EXPECT_EQ(Narrow(Label()), "Wine HID mouse") << "the present device named again";

  form_.Input().ChooseDevice(kOtherMouse);
  SendMessageW(form_.Input().Window(), WM_INPUT_DEVICE_CHANGE, GIDC_REMOVAL, 1);
  EXPECT_EQ(Label(), L"VID_1234 PID_5678（未连接）");
}

struct BadValue {
  const char* name;
  DWORD type;
  std::wstring text;
};

class MainFormDeviceBadValue : public MainFormDevice, public testing::WithParamInterface<BadValue> {};

TEST_P(MainFormDeviceBadValue, MeansEveryDevice) {
  const BadValue& bad = GetParam();
  if (bad.type == REG_SZ) {
    ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrdevice", bad.text));
  } else {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProgramSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const DWORD number = 0x845E0001;
    RegSetValueExW(key, L"xrdevice", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
  }
  ASSERT_NO_FATAL_FAILURE(CreateForm());
  EXPECT_FALSE(DeviceBoxTicked());
  EXPECT_EQ(Label(), L"");
  EXPECT_EQ(form_.Input().ChosenDevice(), L"");
  EXPECT_EQ(ClickTarget(), Stroke(VK_SPACE));
}

INSTANTIATE_TEST_SUITE_P(Stored, MainFormDeviceBadValue,
                         testing::Values(BadValue{"empty", REG_SZ, L""}, BadValue{"abc", REG_SZ, L"abc"},
                                         BadValue{"number", REG_DWORD, L""}),
                         [](const testing::TestParamInfo<BadValue>& info) { return std::string(info.param.name); });

TEST_F(MainFormDevice, SavingStoresTheChosenDeviceAndDeletesItWithTheBoxClear) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrdevice", std::nullopt));
  ASSERT_NO_FATAL_FAILURE(CreateForm());
  // The save confirmation runs its own loop; it is closed from another thread.
  const auto save = [&] {
    std::thread closer([] {
      const HWND box = WaitForNotice(GetCurrentProcessId(), 10000);
      if (box != nullptr) ConfirmNotice(box);
    });
    SendMessageW(form_.saveButton.Handle(), BM_CLICK, 0, 0);
    closer.join();
  };

  ClickDeviceBox();
  ClickTarget();  // learned
  ASSERT_EQ(Narrow(form_.Input().ChosenDevice()), Narrow(kWineMouse));
  save();
  EXPECT_EQ(ReadStoredText(kProgramSettingsKey, L"xrdevice"), std::optional<std::wstring>(kWineMouse));

  ClickDeviceBox();
  ASSERT_FALSE(DeviceBoxTicked());
  save();
  EXPECT_EQ(ReadStoredText(kProgramSettingsKey, L"xrdevice"), std::nullopt);
}

}  // namespace
