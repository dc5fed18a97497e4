# Libraries of the system whose DLLs corvane.exe loads at the first call into them, not at its
# start: a run that needs no window (the watcher of a shell, waiting all session long) then
# maps none of them. MSVC's linker does it with /DELAYLOAD; for MinGW, whose ld lacks that, a
# delay-load import library is made from the toolchain's import library with dlltool.
#
# corvane_delay_loaded(OUT lib...) sets OUT to what to link in place of the libraries.
function(corvane_delay_loaded out)
  set(linked)
  if(MSVC)
    foreach(lib IN LISTS ARGN)
      list(APPEND linked ${lib} "-DELAYLOAD:${lib}.dll")
    endforeach()
    list(APPEND linked delayimp)
    set(${out} ${linked} PARENT_SCOPE)
    return()
  endif()
  find_program(CORVANE_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool dlltool REQUIRED)
  foreach(lib IN LISTS ARGN)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${lib}.a
                    OUTPUT_VARIABLE implib OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(delaylib ${CMAKE_BINARY_DIR}/delayload/lib${lib}_delay.a)
    if(NOT EXISTS ${delaylib} OR ${implib} IS_NEWER_THAN ${delaylib})
      execute_process(COMMAND ${CMAKE_NM} ${implib} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR "cannot read the import library ${implib}")
      endif()
      # Each function that the import library imports shows as its "__imp_" pointer.
      string(REGEX MATCHALL "[ \t]I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
      list(TRANSFORM imports REPLACE "^[ \t]I __imp_" "")
      list(REMOVE_DUPLICATES imports)
      list(JOIN imports "\n" exports)
      file(WRITE ${CMAKE_BINARY_DIR}/delayload/${lib}.def "LIBRARY ${lib}.dll\nEXPORTS\n${exports}\n")
      execute_process(COMMAND ${CORVANE_DLLTOOL} --input-def ${CMAKE_BINARY_DIR}/delayload/${lib}.def
                              --dllname ${lib}.dll --output-delaylib ${delaylib}
                      RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR "cannot make the delay-load library of ${lib}.dll")
      endif()
    endif()
    list(APPEND linked ${delaylib})
  endforeach()
  list(APPEND linked delayimp)
  set(${out} ${linked} PARENT_SCOPE)
endfunction()
