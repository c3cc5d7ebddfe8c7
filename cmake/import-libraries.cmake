# The import libraries of pat.dll, both made from the module definition file
# the DLL is linked with. Callers of the stdcall prototypes in pat.h reference
# the decorated names (_PatSetLocale@4) while the DLL exports them undecorated
# (PatSetLocale); with -k/--kill-at each import library defines the decorated
# symbol and imports the undecorated name. The linker's own --out-implib under
# --kill-at defines only _PatSetLocale, which no caller references, so the
# MinGW library is written over it, at the path CMake links and installs.
find_program(PAT_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-16 llvm-dlltool-15 llvm-dlltool-14
             DOC "llvm-dlltool, for the MSVC import library pat.lib (Debian: llvm)")
if(NOT CMAKE_DLLTOOL OR NOT PAT_LLVM_DLLTOOL)
  message(FATAL_ERROR "pat.dll's import libraries need i686-w64-mingw32-dlltool and llvm-dlltool")
endif()
set(PAT_DEF_FILE ${PROJECT_SOURCE_DIR}/src/platform/win32/pat.def)
set(PAT_MSVC_IMPORT_LIBRARY ${PROJECT_BINARY_DIR}/pat.lib)
add_custom_command(TARGET pat POST_BUILD
  COMMAND ${CMAKE_DLLTOOL} -m i386 -d ${PAT_DEF_FILE} -l $<TARGET_LINKER_FILE:pat> --kill-at
  COMMAND ${PAT_LLVM_DLLTOOL} -m i386 -d ${PAT_DEF_FILE} -l ${PAT_MSVC_IMPORT_LIBRARY} -k
  BYPRODUCTS ${PAT_MSVC_IMPORT_LIBRARY}
  VERBATIM)
