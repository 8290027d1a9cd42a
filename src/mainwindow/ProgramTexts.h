// The texts the program shows.
#pragma once

inline constexpr const wchar_t* kProgramTitle = L"岚枫禾无线按钮扩展";  // window title and icon tip
inline constexpr const wchar_t* kAlreadyRunningNotice = L"对不起, 该进程已打开! ";
inline constexpr const wchar_t* kCloseQuestion = L"【确认】即退出\n【取消】最小化？";
inline constexpr const wchar_t* kCloseQuestionCaption = L"信息提示";
inline constexpr const wchar_t* kSaveCaption = L"提示";
inline constexpr const wchar_t* kSavedMessage = L"保存成功";
inline constexpr const wchar_t* kSaveFailedMessage = L"保存失败";
inline constexpr const wchar_t* kDeviceCheckText = L"只响应无线按钮";
inline constexpr const wchar_t* kLearningPrompt = L"请按一下无线按钮";
inline constexpr const wchar_t* kLearningTimedOut = L"没有收到按键，请重试";
inline constexpr const wchar_t* kNotConnectedSuffix = L"（未连接）";
