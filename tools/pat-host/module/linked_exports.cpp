// The one place pat-host names the exports: the table of the libpat.so it is
// linked against.
#include "module/module_loading.h"

namespace pathost {

ExportTable LinkedExports() {
    return {::PatCreateBitmapInfo,     ::PatDisposeBitmapInfo,    ::PatLoadBitmap,
            ::PatGetStatusString,      ::PatGetDeviceName,        ::PatPMInfoToPrnInfoEx,
            ::PatPrnInfoExToPrnInfo,   ::PatCreateQueryInfo,      ::PatCreateEmulUniqQueryInfo,
            ::PatSetCentroDataTo,      ::PatGetDllVersion,        ::PatGetPeripheralProfile,
            ::PatSetLocale,            ::PatGetStatusHelpFileName, ::PatLoadDIBitmap,
            ::PatGetPalette};
}

}  // namespace pathost
