// The one decision behind every press, as a table, and the ledger that tells a raw press the hook
// saw from one it missed.
#include "bridge/PressLedger.h"
#include "bridge/RawMousePress.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DecidePress, TheTableOfModesAndPaths) {
  struct Case {
    DeviceMode mode;
    PressPath path;
    bool chosen;
    bool send;
    bool repair;
  };
  using M = DeviceMode;
  using P = PressPath;
  const Case cases[] = {
      {M::kEveryDevice, P::kHook, false, true, false},
      {M::kEveryDevice, P::kRawSeenByHook, false, false, false},
      {M::kEveryDevice, P::kRawSeenByHook, true, false, false},
      {M::kEveryDevice, P::kRawMissedByHook, false, true, true},  // every device: the device does not matter
      {M::kOneDevice, P::kHook, true, false, false},             // the hook only keeps watch
      {M::kOneDevice, P::kRawSeenByHook, true, true, false},
      {M::kOneDevice, P::kRawMissedByHook, true, true, true},
      {M::kOneDevice, P::kRawSeenByHook, false, false, false},  // another device, or injected
      {M::kOneDevice, P::kRawMissedByHook, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << ", path " << int(c.path) << ", chosen " << c.chosen);
    const PressVerdict verdict = DecidePress(c.mode, c.path, c.chosen);
    EXPECT_EQ(verdict.send, c.send);
    EXPECT_EQ(verdict.repairHook, c.repair);
  }
}

HANDLE Device(int n) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(n)); }

TEST(PressLedger, EachHookPressAccountsForOneRawPressInEitherOrder) {
  PressLedger ledger;
  // The usual order: the hook first; the raw report learns whether a program made the press.
  EXPECT_FALSE(ledger.NoteHookPress(1000, false).matchedRaw);
  EXPECT_FALSE(ledger.NoteHookPress(1001, true).matchedRaw);
  PressLedger::RawMatch raw = ledger.NoteRawPress(1005, Device(1));
  EXPECT_TRUE(raw.matchedHook);
  EXPECT_FALSE(raw.injected);
  raw = ledger.NoteRawPress(1006, Device(1));
  EXPECT_TRUE(raw.matchedHook);
  EXPECT_TRUE(raw.injected);
  EXPECT_FALSE(ledger.NoteRawPress(1007, Device(2)).matchedHook) << "the third press came without the hook: it waits";
  EXPECT_TRUE(ledger.RawPressesWaiting());
  // A burst: raw reports queued before the hook's calls for them; the hook learns their devices.
  EXPECT_FALSE(ledger.NoteRawPress(1008, Device(3)).matchedHook);
  PressLedger::HookMatch late = ledger.NoteHookPress(1010, false);
  EXPECT_TRUE(late.matchedRaw);
  EXPECT_EQ(late.device, Device(2)) << "the oldest waiting raw press is used up first";
  late = ledger.NoteHookPress(1011, false);
  EXPECT_TRUE(late.matchedRaw);
  EXPECT_EQ(late.device, Device(3));
  EXPECT_FALSE(ledger.RawPressesWaiting());
  std::vector<HANDLE> missed;
  ledger.ExpireRawPresses(9999, [&](HANDLE device) { missed.push_back(device); });
  EXPECT_TRUE(missed.empty());
}

TEST(PressLedger, ARawPressWithoutAHookCallIsMissedOnceItHasWaited) {
  PressLedger ledger;
  EXPECT_FALSE(ledger.NoteRawPress(1000, Device(1)).matchedHook);
  EXPECT_FALSE(ledger.NoteRawPress(1100, nullptr).matchedHook);
  std::vector<HANDLE> missed;
  const auto collect = [&](HANDLE device) { missed.push_back(device); };
  ledger.ExpireRawPresses(1000 + PressLedger::kRawWaitMs, collect);
  EXPECT_TRUE(missed.empty()) << "still within its wait";
  ledger.ExpireRawPresses(1000 + PressLedger::kRawWaitMs + 1, collect);
  EXPECT_EQ(missed, std::vector<HANDLE>{Device(1)});
  ledger.ExpireRawPresses(1100 + PressLedger::kRawWaitMs + 1, collect);
  EXPECT_EQ(missed, (std::vector<HANDLE>{Device(1), nullptr}));
  EXPECT_FALSE(ledger.RawPressesWaiting());
  EXPECT_FALSE(ledger.NoteHookPress(2000, false).matchedRaw) << "a missed press is not matched again";
}

TEST(PressLedger, AHookPressRawInputNeverReportedDoesNotHideALaterMiss) {
  PressLedger ledger;
  ledger.NoteHookPress(1000, false);
  EXPECT_FALSE(ledger.NoteRawPress(1000 + PressLedger::kHookWaitMs + 1, Device(1)).matchedHook);
  PressLedger wrapping;
  wrapping.NoteHookPress(0xFFFFFFF0u, false);
  EXPECT_TRUE(wrapping.NoteRawPress(0x10u, Device(1)).matchedHook) << "across the wrap of the tick counter";
}

TEST(PressLedger, AFullLedgerKeepsTheNewestHookPresses) {
  PressLedger ledger;
  for (int i = 0; i < PressLedger::kCapacity + 10; ++i) ledger.NoteHookPress(100 + i, false);
  for (int i = 0; i < PressLedger::kCapacity; ++i) {
    ASSERT_TRUE(ledger.NoteRawPress(400, Device(1)).matchedHook) << "raw press " << i;
  }
  EXPECT_FALSE(ledger.NoteRawPress(400, Device(1)).matchedHook);
}

TEST(MiddlePressOf, OnlyAMouseReportWithTheMiddleButtonDown) {
  struct Case {
    DWORD type;
    USHORT buttonFlags;
    bool press;
  };
  const Case cases[] = {
      {RIM_TYPEMOUSE, RI_MOUSE_MIDDLE_BUTTON_DOWN, true},
      {RIM_TYPEMOUSE, RI_MOUSE_MIDDLE_BUTTON_DOWN | RI_MOUSE_LEFT_BUTTON_UP, true},
      {RIM_TYPEMOUSE, RI_MOUSE_MIDDLE_BUTTON_UP, false},
      {RIM_TYPEMOUSE, RI_MOUSE_LEFT_BUTTON_DOWN, false},
      {RIM_TYPEMOUSE, 0, false},
      {RIM_TYPEKEYBOARD, RI_MOUSE_MIDDLE_BUTTON_DOWN, false},
      {RIM_TYPEHID, RI_MOUSE_MIDDLE_BUTTON_DOWN, false},
  };
  for (const Case& c : cases) {
    RAWINPUT input{};
    input.header.dwType = c.type;
    input.header.hDevice = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(7));
    input.data.mouse.usButtonFlags = c.buttonFlags;
    const RawMousePress press = MiddlePressOf(input);
    EXPECT_EQ(press.middleDown, c.press) << "type " << c.type << ", flags 0x" << std::hex << c.buttonFlags;
    if (press.middleDown) {
      EXPECT_EQ(press.device, input.header.hDevice);
    }
  }
}

}  // namespace
