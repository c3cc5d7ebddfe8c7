#include "support/host.h"

namespace pat::test {

namespace {

template <typename Item>
void FreeList(uint32_t *count, Item **head) {
    InfoItem *at = reinterpret_cast<InfoItem *>(*head);
    while (at != nullptr) {
        InfoItem *next = at->next;
        GlobalFree(at);
        at = next;
    }
    *head = nullptr;
    *count = 0;
}

void FreeString(char **text) {
    if (*text != nullptr) GlobalFree(*text);
    *text = nullptr;
}

}  // namespace

void FreeRecordAsHost(PrnInfoEx *r) {
    FreeList(&r->dwEngineStatusCount, &r->pEngineStatus);
    FreeList(&r->dwLoadedEmulCount, &r->pLoadedEmul);
    FreeList(&r->dwLoadedFontCount, &r->pLoadedFont);
    FreeList(&r->dwTrayInfoCount, &r->pTrayInfo);
    FreeList(&r->dwOutBinInfoCount, &r->pOutBinInfo);
    FreeList(&r->dwDeviceInfoCount, &r->pDeviceInfo);
    FreeList(&r->dwEmulUniqInfoCount, &r->pEmulUniqInfo);
    FreeList(&r->dwCounterInfoCount, &r->pCounterInfo);
    FreeList(&r->dwSupplyInfoCount, &r->pSupplyInfo);
    FreeList(&r->dwColorCorrectionCount, &r->pColorCorrection);
    FreeList(&r->dwCustomMediaInfoCount, &r->pCustomMediaInfo);
    FreeList(&r->dwFuncpkgInfoCount, &r->pFuncpkgInfo);
    FreeList(&r->dwFuncInfoCount, &r->pFuncInfo);
    FreeList(&r->dwSalespkgInfoCount, &r->pSalespkgInfo);
    FreeString(&r->pModelName);
    FreeString(&r->pMakerName);
    FreeString(&r->pDescription);
    FreeString(&r->pSYSVersion);
    FreeString(&r->pMainProgVersion);
    FreeString(&r->pKVNVersion);
}

void FreeTreeAsHost(DataNode *node) {
    while (node != nullptr) {
        DataNode *next = node->nextSibling;
        FreeTreeAsHost(node->firstChild);
        GlobalFree(node);
        node = next;
    }
}

std::string PayloadText(const DataNode *node) {
    const char *bytes = reinterpret_cast<const char *>(node + 1);
    uint32_t n = node->payloadLength;
    if (n != 0 && bytes[n - 1] == '\0') --n;
    return std::string(bytes, n);
}

}  // namespace pat::test
