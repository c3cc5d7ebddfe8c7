/* The module's version numbers and names: the one source for both the Windows
 * version resource and the portable backend's embedded version block.
 * Plain preprocessor definitions so that the resource compiler reads it too. */
#ifndef PAT_PLATFORM_VERSION_NUMBERS_H
#define PAT_PLATFORM_VERSION_NUMBERS_H

#define PAT_VERSION_MAJOR 1
#define PAT_VERSION_MINOR 1
#define PAT_VERSION_BUILD 5
#define PAT_VERSION_REVISION 0
#define PAT_VERSION_TEXT "1.1.5.0"

#define PAT_COMPANY_NAME "Lanternfield Peripheral Works"
#define PAT_PRODUCT_NAME "Printer Data Module"
#define PAT_FILE_DESCRIPTION "Printer data module: PJL queries, replies and printer records"
#define PAT_INTERNAL_NAME "pat"
#define PAT_ORIGINAL_FILENAME "pat.dll"
#define PAT_COPYRIGHT "Copyright (C) 2026 Lanternfield Peripheral Works"

#endif
