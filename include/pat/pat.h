/*
 * pat.h - the printer data module's binary contract with its host.
 *
 * Sixteen stdcall exports, the error codes they leave in the thread's last
 * error, and every record format that crosses the boundary, with exact
 * offsets.  The module is ILP32: every pointer inside a host record is 32 bits
 * wide, so this header only compiles for 32-bit targets (the static
 * assertions at the end say so loudly).
 *
 * Ownership: everything the module hands out (request-tree nodes, list items,
 * strings inside a PrnInfoEx) is a block of the global heap; the host releases
 * each block with GlobalFree.  The module never frees what the host passes in,
 * except the items and strings of a PrnInfoEx that it replaces.
 */
#ifndef PAT_PAT_H
#define PAT_PAT_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define PAT_CALL __stdcall
#else
#define PAT_CALL __attribute__((stdcall))
#endif

#if defined(PAT_BUILDING_MODULE)
#if defined(_WIN32)
#define PAT_API /* exported through the module definition file */
#else
#define PAT_API __attribute__((visibility("default")))
#endif
#else
#define PAT_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Error codes (thread last error after every export) ---------------- */
#define PAT_OK 0u
#define PAT_ERROR_NOT_ENOUGH_MEMORY 8u
#define PAT_ERROR_INVALID_DATA 13u
#define PAT_ERROR_INVALID_PARAMETER 87u
#define PAT_ERROR_CALL_NOT_IMPLEMENTED 120u
#define PAT_ERROR_INSUFFICIENT_BUFFER 122u
#define PAT_ERROR_LOCALE_NOT_FOUND 0x20000001u
#define PAT_ERROR_REPLY_MISMATCH 0x20000002u
#define PAT_ERROR_NO_PALETTE 0x20000003u
#define PAT_ERROR_NOT_FOUND 0x2000FFFFu

/* ---- Revisions, device classes ----------------------------------------- */
#define PAT_REVISION_TREE 0x02u        /* request and reply trees */
#define PAT_REVISION_STATUS_TEXT 0x03u /* PatGetStatusString */
#define PAT_REVISION_PMINFO_STATUS 0x64u /* 'd' */
#define PAT_REVISION_PMINFO_CONFIG 0x68u /* 'h' */
#define PAT_REVISION_NAME_SOURCE 0x97u   /* device-name kinds 1 and 2 */
#define PAT_REVISION_NAME_SOURCE3 0x96u  /* device-name kind 3 */

#define PAT_CLASS_STATUS 0x0001u
#define PAT_CLASS_CONFIG 0x8000u

/* ---- PatPMInfoToPrnInfoEx ---------------------------------------------- */
/* Bit 31 of a status block's device class: status-word rows marked
 * conditional add no engine status. */
#define PAT_CLASS_SUPPRESS 0x80000000u
/* A 32-bit value, or a pointer, of this value inside a PMInfo block: not
 * reported (as is a null pointer). */
#define PAT_PM_ABSENT 0xFFFFFFFFu

/* Conversion mask of the status block (class 1). */
#define PAT_PMSTATUS_WORD 0x1u
#define PAT_PMSTATUS_ENGINE 0x2u
#define PAT_PMSTATUS_EMULATIONS 0x4u
#define PAT_PMSTATUS_FONTS 0x8u
#define PAT_PMSTATUS_COPYGUARD 0x400u
/* Engine status a status block converted with PAT_PMSTATUS_ENGINE gets when
 * it reports none. */
#define PAT_ENGINE_STATUS_NONE 10001u

/* Conversion mask of the configuration block (class 0x8000). */
#define PAT_PMCONFIG_MODEL 0x1u
#define PAT_PMCONFIG_TRAYS 0x2u
#define PAT_PMCONFIG_BINS 0x4u
#define PAT_PMCONFIG_OPTIONS 0x40u
#define PAT_PMCONFIG_FUNCTIONS 0x80u
#define PAT_PMCONFIG_TRAYS_EX 0x400u
#define PAT_PMCONFIG_FUNCPKG 0x800u
#define PAT_PMCONFIG_SALESPKG 0x1000u

/* ---- Tree tags --------------------------------------------------------- */
#define PAT_TAG_QUERY_ROOT 1u     /* QueryInfo root; request copy in CentroData */
#define PAT_TAG_CENTRO_ROOT 2u    /* CentroData answering a QueryInfo */
#define PAT_TAG_EMUL_ROOT 3u      /* CentroData answering an EmulUniqQueryInfo */
#define PAT_TAG_PJL_TEXT 1000u    /* PJL query or answer text */
#define PAT_TAG_DEVICE_ID 1002u   /* device ID request or answer */
#define PAT_EMUL_QUERY_KIND 15u   /* the only emulation-specific query kind */

/* ---- Category mask (PatCreateQueryInfo, PatPrnInfoExToPrnInfo) ---------- */
#define PAT_CAT_STATUS 0x2u
#define PAT_CAT_CONFIG 0x4u
#define PAT_CAT_INTRAYS 0x8u
#define PAT_CAT_OUTBINS 0x10u
#define PAT_CAT_EMULATIONS 0x100u
#define PAT_CAT_FONTS 0x200u
#define PAT_CAT_IDENTITY 0x400u
#define PAT_CAT_OPTIONS 0x20000u
#define PAT_CAT_ENGINE_STATUS 0x80000u

/* Smallest PrnInfoEx any export accepts. */
#define PAT_PRNINFOEX_MIN_SIZE 1172u

/* ---- DataNode: the tagged tree at the boundary ------------------------- */
typedef struct DataNode {
    uint32_t tag;
    struct DataNode *parent;
    struct DataNode *firstChild;
    struct DataNode *nextSibling;
    struct DataNode *lastChild;
    uint32_t payloadLength;
    /* payloadLength bytes of payload follow the header in the same block */
} DataNode;

/* ---- PrnInfoEx list items ---------------------------------------------- */
typedef struct InfoItem {
    struct InfoItem *next;
    uint32_t size;
} InfoItem;

typedef struct EngineStatus {
    InfoItem header;
    uint16_t wStatus;
    uint16_t wReserved;
    uint32_t dwStatus;
    char szText[256];
} EngineStatus;

typedef struct LoadedEmul {
    InfoItem header;
    uint16_t wEmulation;
    char szVersion[18];
} LoadedEmul;

typedef struct LoadedFont {
    InfoItem header;
    uint16_t wFont;
    uint16_t wReserved;
} LoadedFont;

#define PAT_TRAY_LOCKED 0x1u
#define PAT_TRAY_CUSTOM_PAPER 0x100u
#define PAT_TRAY_ATTR_400 0x400u
#define PAT_TRAY_ATTR_800 0x800u

typedef struct TrayInfo {
    InfoItem header;
    uint16_t wTray;
    uint16_t wPaperSize;
    uint16_t wLevel;
    uint16_t wMedia;
    uint32_t dwAttributes;
} TrayInfo;

typedef struct OutBinInfo {
    InfoItem header;
    uint16_t wBin;
    uint16_t wState; /* 0 ready, 1 paper present, 2 full */
} OutBinInfo;

typedef struct DeviceInfo {
    InfoItem header;
    uint16_t wDevice;
    uint16_t wReserved;
} DeviceInfo;

typedef struct EmulUniqInfo {
    InfoItem header;
    uint16_t wEmulation;
    uint16_t wReserved;
    uint32_t dwMemoryUsage;
    char szOther[33];
    uint8_t bReserved[3];
    uint32_t dwImageRotation;
} EmulUniqInfo;

typedef struct CounterInfo {
    InfoItem header;
    uint16_t wKind;
    uint16_t wReserved;
    int32_t lValue;
} CounterInfo;
typedef CounterInfo SupplyInfo;

typedef struct FuncInfo {
    InfoItem header;
    uint32_t dwFunction;
} FuncInfo;

typedef struct FuncpkgInfo {
    InfoItem header;
    uint16_t wIndex;
    char szName[33];
    char szText[257];
    uint32_t dwState;
} FuncpkgInfo;
typedef FuncpkgInfo SalespkgInfo;

/* ---- PrnInfoEx: the host's extended record ----------------------------- */
typedef struct PrnInfoEx {
    uint32_t dwSize;                 /* >= PAT_PRNINFOEX_MIN_SIZE */
    uint32_t dwReserved4;
    uint32_t dwEngineStatusCount;
    EngineStatus *pEngineStatus;
    char *pModelName;
    char *pMakerName;
    char *pDescription;
    char *pSYSVersion;
    char *pMainProgVersion;
    char *pKVNVersion;
    uint32_t dwMemoryKB;
    uint8_t bStatus;
    uint8_t bModelCode;
    uint8_t bStatusNotOne;
    uint8_t bEngineFlag;
    uint8_t bStatusBit22;
    uint8_t bStatusBit27;
    uint8_t bReserved50[2];
    uint32_t dwEmulValue;
    uint32_t dwLoadedEmulCount;
    LoadedEmul *pLoadedEmul;
    uint32_t dwLoadedFontCount;
    LoadedFont *pLoadedFont;
    uint32_t dwTrayValue;
    uint32_t dwTrayInfoCount;
    TrayInfo *pTrayInfo;
    uint32_t dwBinValue;
    uint32_t dwOutBinInfoCount;
    OutBinInfo *pOutBinInfo;
    uint32_t dwDeviceInfoCount;
    DeviceInfo *pDeviceInfo;
    uint32_t dwEmulUniqInfoCount;
    EmulUniqInfo *pEmulUniqInfo;
    uint8_t bReserved112[24];
    uint32_t dwCounterInfoCount;
    CounterInfo *pCounterInfo;
    uint32_t dwSupplyInfoCount;
    SupplyInfo *pSupplyInfo;
    uint32_t dwColorCorrectionCount;
    InfoItem *pColorCorrection;
    uint32_t dwCustomMediaInfoCount;
    InfoItem *pCustomMediaInfo;
    uint8_t bFunc2008;
    uint8_t bReserved169[11];
    uint8_t bCopyGuard;
    uint8_t bReserved181[3];
    uint32_t dwFuncpkgInfoCount;
    FuncpkgInfo *pFuncpkgInfo;
    uint32_t dwFuncInfoCount;
    FuncInfo *pFuncInfo;
    uint32_t dwReserved200;
    uint32_t dwSalespkgInfoCount;
    SalespkgInfo *pSalespkgInfo;
    uint8_t bHostArea[PAT_PRNINFOEX_MIN_SIZE - 212]; /* the host's own bytes */
} PrnInfoEx;

/* ---- PrnInfo: the flat 2400-byte record -------------------------------- */
typedef struct PatCodePair {
    uint32_t dwCode;
    uint32_t dwValue;
} PatCodePair;

typedef struct PrnInfo {
    uint32_t dwEngineStatus;
    uint32_t dwStatusValue;
    uint32_t dwTrayValue;
    uint32_t dwReserved12;
    uint32_t dwMemoryKB;
    char szSysVersion[16];
    char szMainProgVersion[16];
    char szKVNVersion[16];
    uint32_t dwEmulValue;
    uint32_t adwEmulations[32];
    uint32_t dwEmulationCount;
    uint32_t adwFonts[32];
    uint32_t dwFontCount;
    PatCodePair aTrayPaper[64];
    uint32_t dwTrayCount;
    char szModelName[256];
    char szMakerName[16];
    char szDescription[256];
    uint8_t bModelCode;
    uint8_t bStatusNotOne;
    uint8_t bEngineFlag;
    uint8_t bStatusBit22;
    uint32_t dwSize; /* always 2400 */
    uint8_t bReserved1388[36];
    PatCodePair aTrayLevel[16];
    uint32_t dwTrayCount2;
    PatCodePair aBins[16];
    uint32_t dwBinCount;
    uint32_t dwHasDevice1;
    uint8_t bReserved1692[24];
    uint32_t dwBinValue;
    uint32_t adwEngineStatus[32];
    uint32_t dwEngineStatusCount;
    uint32_t dwReserved1852;
    uint32_t dwStatusBit27;
    uint32_t dwReserved1860;
    PatCodePair aTrayMedia[64];
    uint8_t bReserved2376[24];
} PrnInfo;

/* ---- PMInfo: the host's own device blocks ------------------------------ */
/* A null pointer, a pointer of 0xFFFFFFFF or a 32-bit 0xFFFFFFFF value means
 * "not reported". */
typedef struct PMList {
    uint32_t count;
    void **items; /* count pointers to records */
} PMList;

/* Status block: device class 1, revision 'd'. */
typedef struct PMStatusWord { uint32_t dwWord; } PMStatusWord;
typedef struct PMFontRecord { const char *pszName; } PMFontRecord;
typedef struct PMEmulationRecord {
    uint32_t dwReserved0;
    const char *pszVersion;
    const char *pszName;
} PMEmulationRecord;
typedef struct PMEngineStatusRecord {
    uint32_t dwReserved0;
    uint32_t dwCode;
    const char *pszText;
    uint32_t dwKind;
} PMEngineStatusRecord;
typedef struct PMCopyGuardRecord {
    uint32_t dwReserved0;
    uint32_t dwValue;
} PMCopyGuardRecord;

typedef struct PMInfoStatus {
    PMStatusWord *pStatusWord;
    PMList *pFonts;
    PMList *pEmulations;
    uint32_t dwReserved12[3];
    PMList *pEngineStatuses;
    uint32_t dwReserved28[2];
    PMCopyGuardRecord *pCopyGuard;
} PMInfoStatus;

/* Configuration block: device class 0x8000, revision 'h'. */
typedef struct PMModelRecord {
    const char *pszModel;
    const char *pszSysVersion;
    uint32_t dwMemory;
    uint32_t dwReserved12;
    const char *pszMaker;
} PMModelRecord;

typedef struct PMTrayRecord {
    const char *pszName;
    uint32_t dwLevel;
    uint32_t dwReserved8[3];
    uint32_t dwWidth;
    uint32_t dwHeight;
    uint32_t dwReserved28[3];
    const char *pszMediaName;
    uint32_t dwReserved44[3];
    uint32_t dwMedia;
    uint32_t *pMediaMask; /* two u32: bits 0-31, then bits 32-63 */
    uint32_t dwSizeSelect;
    uint32_t dwAttributes;
} PMTrayRecord;

typedef struct PMTrayRecordEx {
    const char *pszName;
    uint32_t dwLevel;
    uint32_t dwReserved8[3];
    uint32_t dwWidth;
    uint32_t dwHeight;
    const char *pszMediaName;
    uint32_t dwReserved32[2];
    uint32_t dwMedia;
    uint32_t dwSizeSelect;
    uint32_t dwAttributes;
} PMTrayRecordEx;

typedef struct PMBinRecord {
    const char *pszName;
    uint32_t dwFlags; /* bit 0x1: full */
} PMBinRecord;

typedef struct PMOptionRecord { uint32_t dwKey; } PMOptionRecord;

typedef struct PMPackageRecord {
    const char *pszName;
    const char *pszText;
    uint32_t dwState;
} PMPackageRecord;

typedef struct PMPackageBlock {
    uint32_t dwSalesCount;
    PMPackageRecord **ppSales;
    uint32_t dwFuncCount;
    PMPackageRecord **ppFuncs;
} PMPackageBlock;

typedef struct PMInfoConfig {
    PMModelRecord *pModel;
    PMList *pTrays;
    PMList *pBins;
    uint32_t dwReserved12[3];
    PMList *pOptions;
    PMList *pFunctions; /* items point to u32 function codes */
    uint32_t dwReserved32[2];
    PMList *pTraysEx;
    PMPackageBlock *pPackages;
} PMInfoConfig;

/* ---- Version and profile blocks ---------------------------------------- */
typedef struct DllVersion {
    uint32_t dwSize; /* set by the caller, >= 32, left unchanged */
    uint32_t dwFileVersion;
    uint32_t dwVersion2;
    uint32_t dwVersion3;
    uint8_t bReserved[16];
} DllVersion;

typedef struct PeripheralProfile {
    uint32_t dwWord[5];
} PeripheralProfile;

/* ---- Bitmaps and palette ----------------------------------------------- */
#define PAT_BITMAP_SINGLE 0xC8u
#define PAT_BITMAP_SET 0xC9u

typedef struct BitmapInfo {
    uint8_t bMarker;
    uint8_t bReserved1[3];
    uint32_t dwCount;      /* sets: number of bitmaps */
    uint32_t dwReserved8;
    void *pData;           /* single: data block; set: array of BitmapInfo */
} BitmapInfo;

typedef struct PatPaletteEntry {
    uint8_t bRed;
    uint8_t bGreen;
    uint8_t bBlue;
    uint8_t bFlags; /* 0xFF ends the compiled-in table */
} PatPaletteEntry;

typedef struct PatPalette {
    uint16_t wVersion; /* 0x300 */
    uint16_t wCount;
    PatPaletteEntry entries[1]; /* wCount entries */
} PatPalette;

/* ---- The sixteen exports (ordinals 2 to 17, in this order) -------------- */
PAT_API void *PAT_CALL PatCreateBitmapInfo(uint32_t a, uint32_t b, uint32_t c);
PAT_API int PAT_CALL PatDisposeBitmapInfo(BitmapInfo *info);
PAT_API void *PAT_CALL PatLoadBitmap(const char *name);
PAT_API int PAT_CALL PatGetStatusString(uint32_t deviceClass, DataNode *tree, uint32_t revision,
                                        uint32_t option, char *text, uint32_t *length);
PAT_API int PAT_CALL PatGetDeviceName(uint32_t kind, const void *source, uint32_t revision,
                                      char *text, uint32_t *length);
PAT_API int PAT_CALL PatPMInfoToPrnInfoEx(uint32_t deviceClass, const void *pmInfo, uint32_t revision,
                                          uint32_t mask, PrnInfoEx *record);
PAT_API int PAT_CALL PatPrnInfoExToPrnInfo(PrnInfoEx *record, PrnInfo *flat, uint32_t mask);
PAT_API DataNode *PAT_CALL PatCreateQueryInfo(PrnInfoEx *record, uint32_t revision, uint32_t mask);
PAT_API DataNode *PAT_CALL PatCreateEmulUniqQueryInfo(const void *context, uint32_t revision,
                                                      uint32_t kind, uint32_t reserved);
PAT_API int PAT_CALL PatSetCentroDataTo(DataNode *root, uint32_t reserved, PrnInfoEx *record,
                                        uint32_t revision);
PAT_API int PAT_CALL PatGetDllVersion(DllVersion *version);
PAT_API int PAT_CALL PatGetPeripheralProfile(uint32_t deviceClass, PeripheralProfile *profile,
                                             uint32_t *length);
PAT_API int PAT_CALL PatSetLocale(const char *localeName);
PAT_API int PAT_CALL PatGetStatusHelpFileName(uint32_t deviceClass, PrnInfoEx *record, uint32_t reserved,
                                              char *text, uint32_t *length);
PAT_API void *PAT_CALL PatLoadDIBitmap(const char *name);
PAT_API int PAT_CALL PatGetPalette(PatPalette *palette, uint32_t *length);

#ifdef __cplusplus
} /* extern "C" */
#endif

/* ---- Layout checks: every offset and size is part of the contract ------- */
#if defined(__cplusplus)
#define PAT_STATIC_ASSERT(expr, msg) static_assert(expr, msg)
#else
#define PAT_STATIC_ASSERT(expr, msg) _Static_assert(expr, msg)
#endif
#define PAT_CHECK_OFFSET(type, field, offset) \
    PAT_STATIC_ASSERT(offsetof(type, field) == (offset), #type "." #field " must be at offset " #offset)
#define PAT_CHECK_SIZE(type, size) PAT_STATIC_ASSERT(sizeof(type) == (size), #type " must be " #size " bytes")

PAT_STATIC_ASSERT(sizeof(void *) == 4, "the module and its host formats are ILP32");

PAT_CHECK_OFFSET(DataNode, tag, 0);
PAT_CHECK_OFFSET(DataNode, parent, 4);
PAT_CHECK_OFFSET(DataNode, firstChild, 8);
PAT_CHECK_OFFSET(DataNode, nextSibling, 12);
PAT_CHECK_OFFSET(DataNode, lastChild, 16);
PAT_CHECK_OFFSET(DataNode, payloadLength, 20);
PAT_CHECK_SIZE(DataNode, 24);

PAT_CHECK_OFFSET(InfoItem, next, 0);
PAT_CHECK_OFFSET(InfoItem, size, 4);
PAT_CHECK_SIZE(InfoItem, 8);

PAT_CHECK_OFFSET(EngineStatus, wStatus, 8);
PAT_CHECK_OFFSET(EngineStatus, dwStatus, 12);
PAT_CHECK_OFFSET(EngineStatus, szText, 16);
PAT_CHECK_SIZE(EngineStatus, 272);
PAT_CHECK_OFFSET(LoadedEmul, wEmulation, 8);
PAT_CHECK_OFFSET(LoadedEmul, szVersion, 10);
PAT_CHECK_SIZE(LoadedEmul, 28);
PAT_CHECK_OFFSET(LoadedFont, wFont, 8);
PAT_CHECK_SIZE(LoadedFont, 12);
PAT_CHECK_OFFSET(TrayInfo, wTray, 8);
PAT_CHECK_OFFSET(TrayInfo, wPaperSize, 10);
PAT_CHECK_OFFSET(TrayInfo, wLevel, 12);
PAT_CHECK_OFFSET(TrayInfo, wMedia, 14);
PAT_CHECK_OFFSET(TrayInfo, dwAttributes, 16);
PAT_CHECK_SIZE(TrayInfo, 20);
PAT_CHECK_OFFSET(OutBinInfo, wBin, 8);
PAT_CHECK_OFFSET(OutBinInfo, wState, 10);
PAT_CHECK_SIZE(OutBinInfo, 12);
PAT_CHECK_OFFSET(DeviceInfo, wDevice, 8);
PAT_CHECK_OFFSET(DeviceInfo, wReserved, 10);
PAT_CHECK_SIZE(DeviceInfo, 12);
PAT_CHECK_OFFSET(EmulUniqInfo, wEmulation, 8);
PAT_CHECK_OFFSET(EmulUniqInfo, dwMemoryUsage, 12);
PAT_CHECK_OFFSET(EmulUniqInfo, szOther, 16);
PAT_CHECK_OFFSET(EmulUniqInfo, dwImageRotation, 52);
PAT_CHECK_SIZE(EmulUniqInfo, 56);
PAT_CHECK_OFFSET(CounterInfo, wKind, 8);
PAT_CHECK_OFFSET(CounterInfo, lValue, 12);
PAT_CHECK_SIZE(CounterInfo, 16);
PAT_CHECK_OFFSET(FuncInfo, dwFunction, 8);
PAT_CHECK_SIZE(FuncInfo, 12);
PAT_CHECK_OFFSET(FuncpkgInfo, wIndex, 8);
PAT_CHECK_OFFSET(FuncpkgInfo, szName, 10);
PAT_CHECK_OFFSET(FuncpkgInfo, szText, 43);
PAT_CHECK_OFFSET(FuncpkgInfo, dwState, 300);
PAT_CHECK_SIZE(FuncpkgInfo, 304);

PAT_CHECK_OFFSET(PrnInfoEx, dwSize, 0);
PAT_CHECK_OFFSET(PrnInfoEx, dwEngineStatusCount, 8);
PAT_CHECK_OFFSET(PrnInfoEx, pEngineStatus, 12);
PAT_CHECK_OFFSET(PrnInfoEx, pModelName, 16);
PAT_CHECK_OFFSET(PrnInfoEx, pMakerName, 20);
PAT_CHECK_OFFSET(PrnInfoEx, pDescription, 24);
PAT_CHECK_OFFSET(PrnInfoEx, pSYSVersion, 28);
PAT_CHECK_OFFSET(PrnInfoEx, pMainProgVersion, 32);
PAT_CHECK_OFFSET(PrnInfoEx, pKVNVersion, 36);
PAT_CHECK_OFFSET(PrnInfoEx, dwMemoryKB, 40);
PAT_CHECK_OFFSET(PrnInfoEx, bStatus, 44);
PAT_CHECK_OFFSET(PrnInfoEx, bModelCode, 45);
PAT_CHECK_OFFSET(PrnInfoEx, bStatusNotOne, 46);
PAT_CHECK_OFFSET(PrnInfoEx, bEngineFlag, 47);
PAT_CHECK_OFFSET(PrnInfoEx, bStatusBit22, 48);
PAT_CHECK_OFFSET(PrnInfoEx, bStatusBit27, 49);
PAT_CHECK_OFFSET(PrnInfoEx, dwEmulValue, 52);
PAT_CHECK_OFFSET(PrnInfoEx, dwLoadedEmulCount, 56);
PAT_CHECK_OFFSET(PrnInfoEx, pLoadedEmul, 60);
PAT_CHECK_OFFSET(PrnInfoEx, dwLoadedFontCount, 64);
PAT_CHECK_OFFSET(PrnInfoEx, pLoadedFont, 68);
PAT_CHECK_OFFSET(PrnInfoEx, dwTrayValue, 72);
PAT_CHECK_OFFSET(PrnInfoEx, dwTrayInfoCount, 76);
PAT_CHECK_OFFSET(PrnInfoEx, pTrayInfo, 80);
PAT_CHECK_OFFSET(PrnInfoEx, dwBinValue, 84);
PAT_CHECK_OFFSET(PrnInfoEx, dwOutBinInfoCount, 88);
PAT_CHECK_OFFSET(PrnInfoEx, pOutBinInfo, 92);
PAT_CHECK_OFFSET(PrnInfoEx, dwDeviceInfoCount, 96);
PAT_CHECK_OFFSET(PrnInfoEx, pDeviceInfo, 100);
PAT_CHECK_OFFSET(PrnInfoEx, dwEmulUniqInfoCount, 104);
PAT_CHECK_OFFSET(PrnInfoEx, pEmulUniqInfo, 108);
PAT_CHECK_OFFSET(PrnInfoEx, dwCounterInfoCount, 136);
PAT_CHECK_OFFSET(PrnInfoEx, pCounterInfo, 140);
PAT_CHECK_OFFSET(PrnInfoEx, dwSupplyInfoCount, 144);
PAT_CHECK_OFFSET(PrnInfoEx, pSupplyInfo, 148);
PAT_CHECK_OFFSET(PrnInfoEx, dwColorCorrectionCount, 152);
PAT_CHECK_OFFSET(PrnInfoEx, pColorCorrection, 156);
PAT_CHECK_OFFSET(PrnInfoEx, dwCustomMediaInfoCount, 160);
PAT_CHECK_OFFSET(PrnInfoEx, pCustomMediaInfo, 164);
PAT_CHECK_OFFSET(PrnInfoEx, bFunc2008, 168);
PAT_CHECK_OFFSET(PrnInfoEx, bCopyGuard, 180);
PAT_CHECK_OFFSET(PrnInfoEx, dwFuncpkgInfoCount, 184);
PAT_CHECK_OFFSET(PrnInfoEx, pFuncpkgInfo, 188);
PAT_CHECK_OFFSET(PrnInfoEx, dwFuncInfoCount, 192);
PAT_CHECK_OFFSET(PrnInfoEx, pFuncInfo, 196);
PAT_CHECK_OFFSET(PrnInfoEx, dwSalespkgInfoCount, 204);
PAT_CHECK_OFFSET(PrnInfoEx, pSalespkgInfo, 208);
PAT_CHECK_OFFSET(PrnInfoEx, bHostArea, 212);
PAT_CHECK_SIZE(PrnInfoEx, 1172);

PAT_CHECK_SIZE(PatCodePair, 8);
PAT_CHECK_OFFSET(PrnInfo, dwEngineStatus, 0);
PAT_CHECK_OFFSET(PrnInfo, dwStatusValue, 4);
PAT_CHECK_OFFSET(PrnInfo, dwTrayValue, 8);
PAT_CHECK_OFFSET(PrnInfo, dwMemoryKB, 16);
PAT_CHECK_OFFSET(PrnInfo, szSysVersion, 20);
PAT_CHECK_OFFSET(PrnInfo, szMainProgVersion, 36);
PAT_CHECK_OFFSET(PrnInfo, szKVNVersion, 52);
PAT_CHECK_OFFSET(PrnInfo, dwEmulValue, 68);
PAT_CHECK_OFFSET(PrnInfo, adwEmulations, 72);
PAT_CHECK_OFFSET(PrnInfo, dwEmulationCount, 200);
PAT_CHECK_OFFSET(PrnInfo, adwFonts, 204);
PAT_CHECK_OFFSET(PrnInfo, dwFontCount, 332);
PAT_CHECK_OFFSET(PrnInfo, aTrayPaper, 336);
PAT_CHECK_OFFSET(PrnInfo, dwTrayCount, 848);
PAT_CHECK_OFFSET(PrnInfo, szModelName, 852);
PAT_CHECK_OFFSET(PrnInfo, szMakerName, 1108);
PAT_CHECK_OFFSET(PrnInfo, szDescription, 1124);
PAT_CHECK_OFFSET(PrnInfo, bModelCode, 1380);
PAT_CHECK_OFFSET(PrnInfo, bStatusNotOne, 1381);
PAT_CHECK_OFFSET(PrnInfo, bEngineFlag, 1382);
PAT_CHECK_OFFSET(PrnInfo, bStatusBit22, 1383);
PAT_CHECK_OFFSET(PrnInfo, dwSize, 1384);
PAT_CHECK_OFFSET(PrnInfo, aTrayLevel, 1424);
PAT_CHECK_OFFSET(PrnInfo, dwTrayCount2, 1552);
PAT_CHECK_OFFSET(PrnInfo, aBins, 1556);
PAT_CHECK_OFFSET(PrnInfo, dwBinCount, 1684);
PAT_CHECK_OFFSET(PrnInfo, dwHasDevice1, 1688);
PAT_CHECK_OFFSET(PrnInfo, dwBinValue, 1716);
PAT_CHECK_OFFSET(PrnInfo, adwEngineStatus, 1720);
PAT_CHECK_OFFSET(PrnInfo, dwEngineStatusCount, 1848);
PAT_CHECK_OFFSET(PrnInfo, dwStatusBit27, 1856);
PAT_CHECK_OFFSET(PrnInfo, aTrayMedia, 1864);
PAT_CHECK_SIZE(PrnInfo, 2400);

PAT_CHECK_OFFSET(PMList, count, 0);
PAT_CHECK_OFFSET(PMList, items, 4);
PAT_CHECK_SIZE(PMList, 8);
PAT_CHECK_OFFSET(PMInfoStatus, pStatusWord, 0);
PAT_CHECK_OFFSET(PMInfoStatus, pFonts, 4);
PAT_CHECK_OFFSET(PMInfoStatus, pEmulations, 8);
PAT_CHECK_OFFSET(PMInfoStatus, pEngineStatuses, 24);
PAT_CHECK_OFFSET(PMInfoStatus, pCopyGuard, 36);
PAT_CHECK_SIZE(PMInfoStatus, 40);
PAT_CHECK_SIZE(PMStatusWord, 4);
PAT_CHECK_OFFSET(PMFontRecord, pszName, 0);
PAT_CHECK_SIZE(PMFontRecord, 4);
PAT_CHECK_OFFSET(PMEmulationRecord, pszVersion, 4);
PAT_CHECK_OFFSET(PMEmulationRecord, pszName, 8);
PAT_CHECK_SIZE(PMEmulationRecord, 12);
PAT_CHECK_OFFSET(PMEngineStatusRecord, dwCode, 4);
PAT_CHECK_OFFSET(PMEngineStatusRecord, pszText, 8);
PAT_CHECK_OFFSET(PMEngineStatusRecord, dwKind, 12);
PAT_CHECK_SIZE(PMEngineStatusRecord, 16);
PAT_CHECK_OFFSET(PMCopyGuardRecord, dwValue, 4);
PAT_CHECK_SIZE(PMCopyGuardRecord, 8);
PAT_CHECK_OFFSET(PMInfoConfig, pModel, 0);
PAT_CHECK_OFFSET(PMInfoConfig, pTrays, 4);
PAT_CHECK_OFFSET(PMInfoConfig, pBins, 8);
PAT_CHECK_OFFSET(PMInfoConfig, pOptions, 24);
PAT_CHECK_OFFSET(PMInfoConfig, pFunctions, 28);
PAT_CHECK_OFFSET(PMInfoConfig, pTraysEx, 40);
PAT_CHECK_OFFSET(PMInfoConfig, pPackages, 44);
PAT_CHECK_SIZE(PMInfoConfig, 48);
PAT_CHECK_OFFSET(PMModelRecord, pszModel, 0);
PAT_CHECK_OFFSET(PMModelRecord, pszSysVersion, 4);
PAT_CHECK_OFFSET(PMModelRecord, dwMemory, 8);
PAT_CHECK_OFFSET(PMModelRecord, pszMaker, 16);
PAT_CHECK_SIZE(PMModelRecord, 20);
PAT_CHECK_OFFSET(PMTrayRecord, pszName, 0);
PAT_CHECK_OFFSET(PMTrayRecord, dwLevel, 4);
PAT_CHECK_OFFSET(PMTrayRecord, dwWidth, 20);
PAT_CHECK_OFFSET(PMTrayRecord, dwHeight, 24);
PAT_CHECK_OFFSET(PMTrayRecord, pszMediaName, 40);
PAT_CHECK_OFFSET(PMTrayRecord, dwMedia, 56);
PAT_CHECK_OFFSET(PMTrayRecord, pMediaMask, 60);
PAT_CHECK_OFFSET(PMTrayRecord, dwSizeSelect, 64);
PAT_CHECK_OFFSET(PMTrayRecord, dwAttributes, 68);
PAT_CHECK_SIZE(PMTrayRecord, 72);
PAT_CHECK_OFFSET(PMTrayRecordEx, pszName, 0);
PAT_CHECK_OFFSET(PMTrayRecordEx, dwLevel, 4);
PAT_CHECK_OFFSET(PMTrayRecordEx, dwWidth, 20);
PAT_CHECK_OFFSET(PMTrayRecordEx, dwHeight, 24);
PAT_CHECK_OFFSET(PMTrayRecordEx, pszMediaName, 28);
PAT_CHECK_OFFSET(PMTrayRecordEx, dwMedia, 40);
PAT_CHECK_OFFSET(PMTrayRecordEx, dwSizeSelect, 44);
PAT_CHECK_OFFSET(PMTrayRecordEx, dwAttributes, 48);
PAT_CHECK_SIZE(PMTrayRecordEx, 52);
PAT_CHECK_OFFSET(PMBinRecord, pszName, 0);
PAT_CHECK_OFFSET(PMBinRecord, dwFlags, 4);
PAT_CHECK_SIZE(PMBinRecord, 8);
PAT_CHECK_OFFSET(PMOptionRecord, dwKey, 0);
PAT_CHECK_SIZE(PMOptionRecord, 4);
PAT_CHECK_OFFSET(PMPackageRecord, pszName, 0);
PAT_CHECK_OFFSET(PMPackageRecord, pszText, 4);
PAT_CHECK_OFFSET(PMPackageRecord, dwState, 8);
PAT_CHECK_SIZE(PMPackageRecord, 12);
PAT_CHECK_OFFSET(PMPackageBlock, dwSalesCount, 0);
PAT_CHECK_OFFSET(PMPackageBlock, ppSales, 4);
PAT_CHECK_OFFSET(PMPackageBlock, dwFuncCount, 8);
PAT_CHECK_OFFSET(PMPackageBlock, ppFuncs, 12);
PAT_CHECK_SIZE(PMPackageBlock, 16);

PAT_CHECK_OFFSET(DllVersion, dwSize, 0);
PAT_CHECK_OFFSET(DllVersion, dwFileVersion, 4);
PAT_CHECK_OFFSET(DllVersion, dwVersion2, 8);
PAT_CHECK_OFFSET(DllVersion, dwVersion3, 12);
PAT_CHECK_OFFSET(DllVersion, bReserved, 16);
PAT_CHECK_SIZE(DllVersion, 32);
PAT_CHECK_SIZE(PeripheralProfile, 20);

PAT_CHECK_OFFSET(BitmapInfo, bMarker, 0);
PAT_CHECK_OFFSET(BitmapInfo, dwCount, 4);
PAT_CHECK_OFFSET(BitmapInfo, pData, 12);
PAT_CHECK_SIZE(BitmapInfo, 16);
PAT_CHECK_SIZE(PatPaletteEntry, 4);
PAT_CHECK_OFFSET(PatPalette, wVersion, 0);
PAT_CHECK_OFFSET(PatPalette, wCount, 2);
PAT_CHECK_OFFSET(PatPalette, entries, 4);

#endif /* PAT_PAT_H */
