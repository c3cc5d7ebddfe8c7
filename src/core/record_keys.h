// The key names of the PrnInfoEx strings and lists: the names the host uses,
// and the only way module code reaches those fields.
#ifndef PAT_CORE_RECORD_KEYS_H
#define PAT_CORE_RECORD_KEYS_H

namespace pat::keys {

constexpr const char kEngineStatus[] = "pEngineStatus";
constexpr const char kLoadedEmul[] = "pLoadedEmul";
constexpr const char kLoadedFont[] = "pLoadedFont";
constexpr const char kTrayInfo[] = "pTrayInfo";
constexpr const char kOutBinInfo[] = "pOutBinInfo";
constexpr const char kDeviceInfo[] = "pDeviceInfo";
constexpr const char kEmulUniqInfo[] = "pEmulUniqInfo";
constexpr const char kCounterInfo[] = "pCounterInfo";
constexpr const char kSupplyInfo[] = "pSupplyInfo";
constexpr const char kColorCorrection[] = "pColorCorrection";
constexpr const char kCustomMediaInfo[] = "pCustomMediaInfo";
constexpr const char kFuncInfo[] = "pFuncInfo";
constexpr const char kSalespkgInfo[] = "pSalespkgInfo";
constexpr const char kFuncpkgInfo[] = "pFuncpkgInfo";

constexpr const char kModelName[] = "pModelName";
constexpr const char kMakerName[] = "pMakerName";
constexpr const char kDescription[] = "pDescription";
constexpr const char kSYSVersion[] = "pSYSVersion";
constexpr const char kMainProgVersion[] = "pMainProgVersion";
constexpr const char kKVNVersion[] = "pKVNVersion";

}  // namespace pat::keys

#endif
