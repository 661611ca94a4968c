// <windows.h> for the Windows side's own source files, without the macros
// that would rename our methods: <windows.h> maps FindWindow, SendMessage,
// GetFileAttributes, Yield and others to their A/W functions or to nothing.
// Include it after our own headers, and only from platform/win32 .cpp files.
#pragma once

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef FindWindow
#undef FindWindowEx
#undef SendMessage
#undef PostMessage
#undef GetWindowText
#undef GetWindowTextLength
#undef GetClassName
#undef GetMenuString
#undef RegisterClass
#undef CreateWindow
#undef DefWindowProc
#undef AppendMenu
#undef Yield
#undef FindOrdinaryFile
#undef GetFileAttributes
#undef SetFileAttributes
#undef DeleteFile
#undef CreateDirectory
#undef WritePrivateProfileString
#undef GetPrivateProfileString
