// Portable version information. The module carries its version block compiled
// in, built from the same numbers as the Windows version resource, laid out as
// a VS_VERSIONINFO resource (UTF-16 keys, 32-bit aligned nodes). Only the
// module's own file has version information here, and a registered PE image's
// (module_registry.h): its own block, as mapped; no file is ever read.
#include <dlfcn.h>
#include <pthread.h>
#include <string.h>

#include "platform/version_numbers.h"
#include "platform/portable/module_registry.h"
#include "platform/portable/win32_portable.h"

namespace {

constexpr DWORD kBlockCapacity = 2048;
BYTE g_block[kBlockCapacity];
DWORD g_blockSize = 0;
pthread_once_t g_once = PTHREAD_ONCE_INIT;

// Writes VS_VERSIONINFO-style nodes: {wLength, wValueLength, wType, key, value, children}.
class NodeWriter {
public:
    DWORD Begin(const char *key, WORD type, const void *value, WORD valueLength, DWORD valueBytes) {
        Align();
        DWORD start = at_;
        Put16(0);  // wLength, patched by End
        Put16(valueLength);
        Put16(type);
        PutWide(key);
        Align();
        if (valueBytes != 0) {
            memcpy(g_block + at_, value, valueBytes);
            at_ += valueBytes;
        }
        return start;
    }
    void End(DWORD start) {
        WORD length = static_cast<WORD>(at_ - start);
        memcpy(g_block + start, &length, 2);
    }
    void Text(const char *key, const char *text) {
        WORD chars = static_cast<WORD>(strlen(text) + 1);
        DWORD start = Begin(key, 1, nullptr, chars, 0);
        PutWide(text);
        End(start);
    }
    DWORD Size() const { return at_; }

private:
    void Put16(WORD v) {
        memcpy(g_block + at_, &v, 2);
        at_ += 2;
    }
    void PutWide(const char *s) {
        do Put16(static_cast<BYTE>(*s)); while (*s++ != '\0');
    }
    void Align() {
        while (at_ % 4 != 0) g_block[at_++] = 0;
    }
    DWORD at_ = 0;
};

void BuildBlock() {
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    fixed.dwFileVersionMS = (PAT_VERSION_MAJOR << 16) | PAT_VERSION_MINOR;
    fixed.dwFileVersionLS = (PAT_VERSION_BUILD << 16) | PAT_VERSION_REVISION;
    fixed.dwProductVersionMS = fixed.dwFileVersionMS;
    fixed.dwProductVersionLS = fixed.dwFileVersionLS;
    fixed.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
    fixed.dwFileOS = VOS__WINDOWS32;
    fixed.dwFileType = VFT_DLL;

    NodeWriter w;
    DWORD root = w.Begin("VS_VERSION_INFO", 0, &fixed, sizeof fixed, sizeof fixed);
    DWORD strings = w.Begin("StringFileInfo", 1, nullptr, 0, 0);
    DWORD table = w.Begin("040904B0", 1, nullptr, 0, 0);
    w.Text("CompanyName", PAT_COMPANY_NAME);
    w.Text("FileDescription", PAT_FILE_DESCRIPTION);
    w.Text("FileVersion", PAT_VERSION_TEXT);
    w.Text("InternalName", PAT_INTERNAL_NAME);
    w.Text("LegalCopyright", PAT_COPYRIGHT);
    w.Text("OriginalFilename", PAT_ORIGINAL_FILENAME);
    w.Text("ProductName", PAT_PRODUCT_NAME);
    w.Text("ProductVersion", PAT_VERSION_TEXT);
    w.End(table);
    w.End(strings);
    DWORD vars = w.Begin("VarFileInfo", 1, nullptr, 0, 0);
    const WORD translation[2] = {0x0409, 0x04B0};
    DWORD var = w.Begin("Translation", 0, translation, sizeof translation, sizeof translation);
    w.End(var);
    w.End(vars);
    w.End(root);
    g_blockSize = w.Size();
}

bool IsOwnModule(LPCSTR path) {
    Dl_info info;
    if (path == nullptr || dladdr(reinterpret_cast<void *>(&BuildBlock), &info) == 0) return false;
    char own[MAX_PATH];
    DWORD saved = GetLastError();
    DWORD length = GetModuleFileNameA(info.dli_fbase, own, sizeof own);
    SetLastError(saved);
    return length != 0 && length < sizeof own && strcmp(own, path) == 0;
}

// The version block of a file, if it has one.
bool VersionBlockOf(LPCSTR path, const BYTE **block, DWORD *size) {
    pat::portable::RegisteredModule registered;
    if (pat::portable::FindRegisteredModuleFile(path, &registered)) {
        *block = static_cast<const BYTE *>(registered.versionInfo);
        *size = registered.versionSize;
        return *block != nullptr;
    }
    if (!IsOwnModule(path)) return false;
    pthread_once(&g_once, BuildBlock);
    *block = g_block;
    *size = g_blockSize;
    return true;
}

WORD Read16(const BYTE *p) {
    WORD v;
    memcpy(&v, p, 2);
    return v;
}

DWORD AlignUp(DWORD v) { return (v + 3) & ~3u; }

// Compares a UTF-16 key at p with an ASCII component of given length, ignoring case.
bool KeyEquals(const BYTE *p, const char *component, size_t length) {
    for (size_t i = 0; i < length; ++i, p += 2) {
        WORD c = Read16(p);
        char a = component[i];
        if (c >= 'a' && c <= 'z') c = static_cast<WORD>(c - 32);
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
        if (c != static_cast<BYTE>(a)) return false;
    }
    return Read16(p) == 0;
}

// Offset of a node's value, and of its first child, within the block.
DWORD ValueOffset(const BYTE *block, DWORD node) {
    DWORD at = node + 6;
    while (Read16(block + at) != 0) at += 2;
    return AlignUp(at + 2);
}

DWORD ChildrenOffset(const BYTE *block, DWORD node) {
    DWORD value = ValueOffset(block, node);
    WORD valueLength = Read16(block + node + 2);
    DWORD bytes = Read16(block + node + 4) == 1 ? valueLength * 2u : valueLength;
    return AlignUp(value + bytes);
}

}  // namespace

extern "C" {

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR path, LPDWORD handle) {
    if (handle != nullptr) *handle = 0;
    const BYTE *block;
    DWORD size;
    if (!VersionBlockOf(path, &block, &size)) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return 0;
    }
    return size;
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR path, DWORD, DWORD length, LPVOID data) {
    if (data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const BYTE *block;
    DWORD size;
    if (!VersionBlockOf(path, &block, &size)) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return FALSE;
    }
    memcpy(data, block, length < size ? length : size);
    return TRUE;
}

// Resolves "\" (the fixed file information) and paths of binary nodes such as
// "\VarFileInfo\Translation". Text nodes would need an ANSI copy that this
// block does not carry; they are reported as not found.
BOOL WINAPI VerQueryValueA(LPCVOID blockArg, LPCSTR subBlock, LPVOID *value, PUINT length) {
    const BYTE *block = static_cast<const BYTE *>(blockArg);
    if (block == nullptr || subBlock == nullptr || value == nullptr || length == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD node = 0;
    const char *path = subBlock;
    while (*path != '\0') {
        while (*path == '\\') ++path;
        if (*path == '\0') break;
        size_t componentLength = strcspn(path, "\\");
        DWORD end = node + Read16(block + node);
        DWORD child = ChildrenOffset(block, node);
        while (child < end && !KeyEquals(block + child + 6, path, componentLength))
            child = AlignUp(child + Read16(block + child));
        if (child >= end) {
            SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
            return FALSE;
        }
        node = child;
        path += componentLength;
    }
    WORD valueLength = Read16(block + node + 2);
    if (valueLength == 0 || Read16(block + node + 4) != 0) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return FALSE;
    }
    *value = const_cast<BYTE *>(block + ValueOffset(block, node));
    *length = valueLength;
    return TRUE;
}

}  // extern "C"
