# Checks that corvane.exe imports at its start only libraries that Windows takes from its own
# folder whatever lies beside the program (its "known DLLs", and ntdll): any other library is
# loaded at its first use, from the system folder, by the delay-load hook.
#   cmake -DOBJDUMP=<objdump> -DEXE=<corvane.exe> -P CheckImports.cmake
cmake_policy(SET CMP0057 NEW) # IN_LIST
set(known advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt
          normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read the headers of ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${dump}")
if(NOT names)
  message(FATAL_ERROR "${EXE} imports nothing that objdump shows: the check cannot tell")
endif()
set(imported)
foreach(entry IN LISTS names)
  string(REGEX REPLACE "^DLL Name: " "" dll "${entry}")
  string(TOLOWER "${dll}" dll)
  string(REGEX REPLACE "\\.dll$" "" base "${dll}")
  list(APPEND imported ${base})
  if(NOT base IN_LIST known)
    message(FATAL_ERROR "${EXE} imports ${dll} at its start: Windows would look for it beside the program first; "
                        "load it at its first use instead (cmake/DelayLoad.cmake)")
  endif()
endforeach()
message(STATUS "imports at start: ${imported}, all known to Windows")
