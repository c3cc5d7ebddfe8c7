// The subset of the Win32 API that the module uses, declared with Win32 names,
// types and calling convention for targets that have no Windows underneath.
// The implementations live beside this header; heap and last-error functions
// are exported from the shared object so that a host on such a target frees
// what the module hands it exactly as a Windows host would.
#ifndef PAT_PLATFORM_PORTABLE_WIN32_PORTABLE_H
#define PAT_PLATFORM_PORTABLE_WIN32_PORTABLE_H

#include <stddef.h>
#include <stdint.h>

#define WINAPI __attribute__((stdcall))
#define PAT_PORTABLE_EXPORT __attribute__((visibility("default")))

typedef int BOOL;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef uint32_t LCID;
typedef uint32_t LCTYPE;
typedef uint16_t LANGID;
typedef size_t SIZE_T;
typedef DWORD *LPDWORD;
typedef UINT *PUINT;
typedef void *LPVOID;
typedef const void *LPCVOID;
typedef char CHAR;
typedef uint16_t WCHAR;  // a UTF-16 code unit, as on Windows
typedef WCHAR *LPWSTR;
typedef const WCHAR *LPCWSTR;
typedef BOOL *LPBOOL;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef void *HANDLE;
typedef void *HGLOBAL;
typedef void *HINSTANCE;
typedef void *HMODULE;
typedef void *HRSRC;
typedef void *HBITMAP;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

#define MAX_PATH 260

#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_ZEROINIT 0x0040u
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

#define ERROR_SUCCESS 0u
#define NO_ERROR 0u
#define ERROR_FILE_NOT_FOUND 2u
#define ERROR_INVALID_HANDLE 6u
#define ERROR_NOT_ENOUGH_MEMORY 8u
#define ERROR_INVALID_PARAMETER 87u
#define ERROR_INSUFFICIENT_BUFFER 122u
#define ERROR_MOD_NOT_FOUND 126u
#define ERROR_INVALID_FLAGS 1004u
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812u
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813u
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814u
#define ERROR_RESOURCE_LANG_NOT_FOUND 1815u

#define LOCALE_IDEFAULTANSICODEPAGE 0x00001004u
#define LOCALE_NOUSEROVERRIDE 0x80000000u
#define SORT_DEFAULT 0x0
#define MAKELCID(lgid, srtid) ((LCID)((((DWORD)(WORD)(srtid)) << 16) | ((DWORD)(WORD)(lgid))))
#define CP_ACP 0u
#define CP_UTF8 65001u

#define DLL_PROCESS_DETACH 0u
#define DLL_PROCESS_ATTACH 1u

#define IS_INTRESOURCE(p) ((((uintptr_t)(p)) >> 16) == 0)
#define MAKEINTRESOURCEA(i) ((LPSTR)(uintptr_t)((WORD)(i)))
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_VERSION MAKEINTRESOURCEA(16)

typedef struct tagVS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
} VS_FIXEDFILEINFO;

#define VS_FFI_SIGNATURE 0xFEEF04BDu
#define VS_FFI_STRUCVERSION 0x00010000u
#define VS_FFI_FILEFLAGSMASK 0x0000003Fu
#define VOS__WINDOWS32 0x00000004u
#define VFT_DLL 0x00000002u

#ifdef __cplusplus
extern "C" {
#endif

// Global heap: fixed blocks only (a handle is the block's address).
PAT_PORTABLE_EXPORT HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes);
PAT_PORTABLE_EXPORT HGLOBAL WINAPI GlobalFree(HGLOBAL block);
PAT_PORTABLE_EXPORT HGLOBAL WINAPI GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);
PAT_PORTABLE_EXPORT SIZE_T WINAPI GlobalSize(HGLOBAL block);
PAT_PORTABLE_EXPORT LPVOID WINAPI GlobalLock(HGLOBAL block);
PAT_PORTABLE_EXPORT BOOL WINAPI GlobalUnlock(HGLOBAL block);

// Thread last error.
PAT_PORTABLE_EXPORT void WINAPI SetLastError(DWORD code);
PAT_PORTABLE_EXPORT DWORD WINAPI GetLastError(void);

// Module file and version information.
DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size);
DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR path, LPDWORD handle);
BOOL WINAPI GetFileVersionInfoA(LPCSTR path, DWORD handle, DWORD length, LPVOID data);
BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID *value, PUINT length);

// Resources of the module's own image.
HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HRSRC WINAPI FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language);
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
LPVOID WINAPI LockResource(HGLOBAL resource);
HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name);

// Locale information: only LOCALE_IDEFAULTANSICODEPAGE, for the languages a
// configuration can name (user and system default: code page 1252).
int WINAPI GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);

// UTF-16 to an ANSI code page. A character the code page lacks becomes the
// default character ("?" unless given); a destination too small fails with
// ERROR_INSUFFICIENT_BUFFER and holds undefined bytes, as on Windows.
int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR out,
                               int outSize, LPCSTR defaultChar, LPBOOL usedDefaultChar);

// Single-byte strings in the default code page (1252).
LPSTR WINAPI CharUpperA(LPSTR text);
int WINAPI lstrcmpA(LPCSTR first, LPCSTR second);
int WINAPI lstrlenA(LPCSTR text);
LPSTR WINAPI lstrcpyA(LPSTR destination, LPCSTR source);
LPSTR WINAPI lstrcpynA(LPSTR destination, LPCSTR source, int maxLength);
LPSTR WINAPI lstrcatA(LPSTR destination, LPCSTR source);

#ifdef __cplusplus
}
#endif

#endif
