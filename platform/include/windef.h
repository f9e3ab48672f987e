#pragma once
// Basic types of the handheld's system interface, with the platform's own names and widths.
#include <cstddef>
#include <cstdint>

typedef std::uint8_t BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::uint32_t UINT;
typedef std::int32_t INT;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef std::int32_t BOOL;
typedef std::int16_t SHORT;
typedef std::uint16_t USHORT;
typedef std::uint64_t ULONGLONG;
typedef std::int64_t LONGLONG;
typedef char CHAR;
typedef char16_t WCHAR;
typedef WCHAR TCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef WCHAR* LPTSTR;
typedef const WCHAR* LPCTSTR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef BYTE* LPBYTE;
typedef DWORD COLORREF;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::uintptr_t DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD LANGID;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif
#ifndef NULL
#define NULL nullptr
#endif
#define MAX_PATH 260
#define CALLBACK
#define WINAPI
#define APIENTRY
#define TEXT(s) u##s
#define _T(s) u##s
#define L16(s) u##s

// Handles are opaque pointers to objects the platform owns.
#define KP_DECLARE_HANDLE(name) struct name##__; typedef struct name##__* name
typedef void* HANDLE;
KP_DECLARE_HANDLE(HWND);
KP_DECLARE_HANDLE(HDC);
KP_DECLARE_HANDLE(HMENU);
KP_DECLARE_HANDLE(HICON);
KP_DECLARE_HANDLE(HKEY);
KP_DECLARE_HANDLE(HIMAGELIST);
KP_DECLARE_HANDLE(HRGN);
// GDI objects share one base so SelectObject / DeleteObject take any of them.
struct HGDIOBJ__ {};
typedef HGDIOBJ__* HGDIOBJ;
struct HFONT__ : HGDIOBJ__ {};
struct HBRUSH__ : HGDIOBJ__ {};
struct HPEN__ : HGDIOBJ__ {};
struct HBITMAP__ : HGDIOBJ__ {};
typedef HFONT__* HFONT;
typedef HBRUSH__* HBRUSH;
typedef HPEN__* HPEN;
typedef HBITMAP__* HBITMAP;
// A module handle is the load address of the program or library, as the dynamic loader reports it.
typedef void* HINSTANCE;
typedef void* HMODULE;
typedef HICON HCURSOR;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

struct RECT { LONG left, top, right, bottom; };
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;
struct POINT { LONG x, y; };
typedef POINT* LPPOINT;
struct SIZE { LONG cx, cy; };

#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#define MAKELONG(a, b) ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff))) << 16))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))
#define MAKEINTRESOURCEW(i) ((LPWSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE(i) MAKEINTRESOURCEW(i)
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define PRIMARYLANGID(lgid) ((WORD)(lgid) & 0x3ff)
#define LANG_CHINESE 0x04
#define LANG_JAPANESE 0x11
#define LANG_KOREAN 0x12
#define LANG_ENGLISH 0x09
// The two halves of a UTF-16 surrogate pair: a character outside the basic plane.
#define IS_HIGH_SURROGATE(wch) (((WCHAR)(wch)) >= 0xd800 && ((WCHAR)(wch)) <= 0xdbff)
#define IS_LOW_SURROGATE(wch) (((WCHAR)(wch)) >= 0xdc00 && ((WCHAR)(wch)) <= 0xdfff)
