#include "module/module_objects.h"

#include <stdio.h>
#include <string.h>

#include <new>

#include "module/module.h"

namespace pathost {

namespace {

template <typename Item>
void FreeChain(const Module &module, Item *&head, uint32_t &count) {
    InfoItem *item = reinterpret_cast<InfoItem *>(head);
    while (item != nullptr) {
        InfoItem *next = item->next;
        module.Free(item);
        item = next;
    }
    head = nullptr;
    count = 0;
}

void FreeString(const Module &module, char *&text) {
    module.Free(text);
    text = nullptr;
}

void FreeSubtree(const Module *module, DataNode *node) {
    while (node != nullptr) {
        DataNode *next = node->nextSibling;
        FreeSubtree(module, node->firstChild);
        module->Free(node);
        node = next;
    }
}

}  // namespace

HostRecord::HostRecord(const Module &module) : module_(module) {
    memset(&record_, 0, sizeof record_);
    record_.dwSize = sizeof record_;
}

HostRecord::~HostRecord() { FreeRecordContents(module_, &record_); }

void HostRecord::AddTray(uint16_t code) {
    auto *tray = static_cast<TrayInfo *>(module_.Allocate(sizeof(TrayInfo)));
    if (tray == nullptr) throw std::bad_alloc();
    tray->header.size = sizeof(TrayInfo);
    tray->wTray = code;
    TrayInfo **link = &record_.pTrayInfo;
    while (*link != nullptr) link = reinterpret_cast<TrayInfo **>(&(*link)->header.next);
    *link = tray;
    ++record_.dwTrayInfoCount;
}

void FreeRecordContents(const Module &module, PrnInfoEx *r) {
    FreeChain(module, r->pEngineStatus, r->dwEngineStatusCount);
    FreeChain(module, r->pLoadedEmul, r->dwLoadedEmulCount);
    FreeChain(module, r->pLoadedFont, r->dwLoadedFontCount);
    FreeChain(module, r->pTrayInfo, r->dwTrayInfoCount);
    FreeChain(module, r->pOutBinInfo, r->dwOutBinInfoCount);
    FreeChain(module, r->pDeviceInfo, r->dwDeviceInfoCount);
    FreeChain(module, r->pEmulUniqInfo, r->dwEmulUniqInfoCount);
    FreeChain(module, r->pCounterInfo, r->dwCounterInfoCount);
    FreeChain(module, r->pSupplyInfo, r->dwSupplyInfoCount);
    FreeChain(module, r->pColorCorrection, r->dwColorCorrectionCount);
    FreeChain(module, r->pCustomMediaInfo, r->dwCustomMediaInfoCount);
    FreeChain(module, r->pFuncpkgInfo, r->dwFuncpkgInfoCount);
    FreeChain(module, r->pFuncInfo, r->dwFuncInfoCount);
    FreeChain(module, r->pSalespkgInfo, r->dwSalespkgInfoCount);
    FreeString(module, r->pModelName);
    FreeString(module, r->pMakerName);
    FreeString(module, r->pDescription);
    FreeString(module, r->pSYSVersion);
    FreeString(module, r->pMainProgVersion);
    FreeString(module, r->pKVNVersion);
}

ModuleTree::~ModuleTree() {
    if (root_ != nullptr) FreeSubtree(module_, root_);
}

ModuleTree &ModuleTree::operator=(ModuleTree &&other) noexcept {
    if (this != &other) {
        if (root_ != nullptr) FreeSubtree(module_, root_);
        module_ = other.module_;
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

std::string RefusalText(const std::string &call, uint32_t lastError) {
    return call + " failed with " + HexCode(lastError) + " (" + ErrorMeaning(lastError) + ")";
}

}  // namespace pathost
