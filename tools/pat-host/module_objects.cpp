#include "module_objects.h"

#include <stdio.h>
#include <string.h>

#include <new>

#include "module_heap.h"

namespace pathost {

namespace {

template <typename Item>
void FreeChain(Item *&head, uint32_t &count) {
    InfoItem *item = reinterpret_cast<InfoItem *>(head);
    while (item != nullptr) {
        InfoItem *next = item->next;
        GlobalFree(item);
        item = next;
    }
    head = nullptr;
    count = 0;
}

void FreeString(char *&text) {
    if (text != nullptr) GlobalFree(text);
    text = nullptr;
}

void FreeSubtree(DataNode *node) {
    while (node != nullptr) {
        DataNode *next = node->nextSibling;
        FreeSubtree(node->firstChild);
        GlobalFree(node);
        node = next;
    }
}

}  // namespace

HostRecord::HostRecord() {
    memset(&record_, 0, sizeof record_);
    record_.dwSize = sizeof record_;
}

HostRecord::~HostRecord() { FreeRecordContents(&record_); }

void HostRecord::AddTray(uint16_t code) {
    auto *tray = static_cast<TrayInfo *>(GlobalAlloc(kHeapFixed | kHeapZeroInit, sizeof(TrayInfo)));
    if (tray == nullptr) throw std::bad_alloc();
    tray->header.size = sizeof(TrayInfo);
    tray->wTray = code;
    TrayInfo **link = &record_.pTrayInfo;
    while (*link != nullptr) link = reinterpret_cast<TrayInfo **>(&(*link)->header.next);
    *link = tray;
    ++record_.dwTrayInfoCount;
}

void FreeRecordContents(PrnInfoEx *r) {
    FreeChain(r->pEngineStatus, r->dwEngineStatusCount);
    FreeChain(r->pLoadedEmul, r->dwLoadedEmulCount);
    FreeChain(r->pLoadedFont, r->dwLoadedFontCount);
    FreeChain(r->pTrayInfo, r->dwTrayInfoCount);
    FreeChain(r->pOutBinInfo, r->dwOutBinInfoCount);
    FreeChain(r->pDeviceInfo, r->dwDeviceInfoCount);
    FreeChain(r->pEmulUniqInfo, r->dwEmulUniqInfoCount);
    FreeChain(r->pCounterInfo, r->dwCounterInfoCount);
    FreeChain(r->pSupplyInfo, r->dwSupplyInfoCount);
    FreeChain(r->pColorCorrection, r->dwColorCorrectionCount);
    FreeChain(r->pCustomMediaInfo, r->dwCustomMediaInfoCount);
    FreeChain(r->pFuncpkgInfo, r->dwFuncpkgInfoCount);
    FreeChain(r->pFuncInfo, r->dwFuncInfoCount);
    FreeChain(r->pSalespkgInfo, r->dwSalespkgInfoCount);
    FreeString(r->pModelName);
    FreeString(r->pMakerName);
    FreeString(r->pDescription);
    FreeString(r->pSYSVersion);
    FreeString(r->pMainProgVersion);
    FreeString(r->pKVNVersion);
}

ModuleTree::~ModuleTree() { FreeSubtree(root_); }

ModuleTree &ModuleTree::operator=(ModuleTree &&other) noexcept {
    if (this != &other) {
        FreeSubtree(root_);
        root_ = other.root_;
        other.root_ = nullptr;
    }
    return *this;
}

const DataNode *FindChild(const DataNode *node, uint32_t tag) {
    if (node == nullptr) return nullptr;
    for (const DataNode *child = node->firstChild; child != nullptr; child = child->nextSibling)
        if (child->tag == tag) return child;
    return nullptr;
}

std::string TextPayload(const DataNode *node) {
    if (node == nullptr || node->payloadLength == 0) return {};
    const char *bytes = reinterpret_cast<const char *>(node + 1);
    return std::string(bytes, strnlen(bytes, node->payloadLength));
}

std::string HexCode(uint32_t code) {
    char text[16];
    snprintf(text, sizeof text, "0x%08X", code);
    return text;
}

std::string ErrorMeaning(uint32_t code) {
    switch (code) {
        case PAT_OK: return "success";
        case PAT_ERROR_NOT_ENOUGH_MEMORY: return "not enough memory";
        case PAT_ERROR_INVALID_DATA: return "invalid data: a PJL text that does not scan";
        case PAT_ERROR_INVALID_PARAMETER: return "invalid parameter: a record or tree the module refuses";
        case PAT_ERROR_CALL_NOT_IMPLEMENTED: return "not implemented in this module build";
        case PAT_ERROR_INSUFFICIENT_BUFFER: return "buffer too small";
        case PAT_ERROR_LOCALE_NOT_FOUND: return "locale not found";
        case PAT_ERROR_REPLY_MISMATCH: return "the answers do not answer the request";
        case PAT_ERROR_NO_PALETTE: return "no palette";
        case PAT_ERROR_NOT_FOUND: return "string, map or table row not found";
        default: return "platform error";
    }
}

ModuleFailure::ModuleFailure(const std::string &call, uint32_t lastError)
    : std::runtime_error(call + " failed with " + HexCode(lastError) + " (" + ErrorMeaning(lastError) + ")"),
      call_(call),
      lastError_(lastError) {}

}  // namespace pathost
