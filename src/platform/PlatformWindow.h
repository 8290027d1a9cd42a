// The object behind one window: its window procedure, per-class message dispatch, default
// processing, notification reflection and self-deletion after the window is gone.
//
// After WM_NCDESTROY the object is unbound at once (Handle() is null, a handler may create a new
// window); PostNcDestroy, which may delete the object, waits until the outermost message returns.
//
// One message's way: user32 calls the layer's procedure; it finds the object bound to the window
// (WindowMap) and calls Dispatch, which records the message (so that Default knows what to pass on)
// and calls the object's virtual WindowProc. The base WindowProc reflects a control's WM_COMMAND or
// WM_CTLCOLOR* to the control's own object first, then offers the message to OnMessage, the
// per-class switch, and ends in Default: the window's previous procedure (a subclassed system
// control, a dialog) or DefWindowProcW.
//
// A C++ exception never unwinds through user32: the procedure keeps it and RethrowPendingException
// throws it again once user32 is off the stack (after window creation, after DispatchMessageW).
#pragma once

#include <windows.h>

class PlatformWindow {
 public:
  PlatformWindow() = default;
  // A window still bound is destroyed first (dispatching to this class's procedure only).
  virtual ~PlatformWindow();
  PlatformWindow(const PlatformWindow&) = delete;
  PlatformWindow& operator=(const PlatformWindow&) = delete;

  HWND Handle() const { return window_; }
  // The object bound to window, or null (a window not made or subclassed through the layer).
  static PlatformWindow* FromHandle(HWND window);
  // Windows bound now.
  static int BoundCount();
  // The layer's window procedure, for window classes registered by the layer.
  static WNDPROC LayerProcedure();

  // Creates a window of a class whose procedure is the layer's; the new window is bound to this
  // object from its very first message. False when the object already has a window or creation fails;
  // a window of a class with another procedure is destroyed again (it cannot be bound).
  bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menuOrId, void* param = nullptr);
  // Creates a window of a system class (BUTTON, COMBOBOX) and subclasses it at once.
  bool CreateSubclassedEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                          int width, int height, HWND parent, HMENU menuOrId);
  // Puts the layer's procedure in front of window's own and binds window to this object.
  bool Subclass(HWND window);
  // DestroyWindow on the object's window; false without one.
  bool DestroyWindow();

  // The previous procedure with the message being dispatched (wParam and lParam as WindowProc last
  // passed them on). Runs at most once per message; a second call answers the first result.
  LRESULT Default();
  // The previous procedure (DefWindowProcW for the layer's own classes) with any message.
  LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);

  // The object deletes itself once its window is gone and no message of its window is being
  // dispatched any more.
  void SetAutoDelete(bool autoDelete) { autoDelete_ = autoDelete; }
  // True while a message of the object's window is being dispatched to it (a handler runs inside its
  // window procedure): deleting the object now would pull it from under that call.
  bool InDispatch() const { return depth_ > 0; }

  // Offered by the message loop for every retrieved message, to each bound window from the target
  // up to its top-level window; true: handled, not dispatched. The base does nothing.
  virtual bool PreTranslateMessage(MSG& message);
  // The walk behind the loop's pre-translation: bound objects from message.hwnd upward, ending after
  // the first window without WS_CHILD.
  static bool WalkPreTranslateTree(MSG& message);

  // Throws the exception a window procedure kept, if any.
  static void RethrowPendingException();
  // Keeps the exception being handled for RethrowPendingException: for procedures of their own
  // that user32 calls (a subclassed child without an object).
  static void KeepCurrentException();

 protected:
  // The object's window procedure. Overrides that look at the message first call this one with
  // wParam and lParam as they want them passed on.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The per-class dispatch: true when the message was handled, its result in result.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // WM_COMMAND; true when handled. The base hands a control's notification to the control's object.
  virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
  // A WM_COMMAND or WM_CTLCOLOR* of the parent about this window, handed back to it; true when handled.
  virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Runs after the window's last message, once the object is no longer bound and no dispatch of it
  // is running. The base deletes the object when auto-delete is set.
  virtual void PostNcDestroy();

  // Binds window to this object; previous is the procedure that Default calls (null: DefWindowProcW).
  void Attach(HWND window, WNDPROC previous);

 private:
  struct DispatchRecord {
    HWND window;  // the window the message came to; Default passes nothing on once it is gone
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool defaultDone;
    LRESULT defaultResult;
  };

  static LRESULT CALLBACK LayerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // Unbinds right after WM_NCDESTROY, even while outer messages of the window are still being
  // dispatched: from then on the object reports no window.
  void UnbindAfterNcDestroy();

  HWND window_ = nullptr;
  WNDPROC previous_ = nullptr;
  DispatchRecord* current_ = nullptr;
  int depth_ = 0;
  bool windowGone_ = false;  // unbound after WM_NCDESTROY; PostNcDestroy waits for the outermost dispatch
  bool autoDelete_ = false;
};
