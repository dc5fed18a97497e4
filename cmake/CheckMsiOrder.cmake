# Checks the order of the Windows Installer package's actions that set and put back every user's
# shell. wixl writes no rollback actions, so the order alone keeps a machine from being left
# with a shell whose files are gone:
#  - the shell is set last before InstallFinalize commits the install, so that no later action
#    can fail and roll the files back from under it;
#  - it is put back before RemoveFiles, and a failure there fails the removal;
#  - both run inside the install script (between InstallInitialize and InstallFinalize), and an
#    upgrade removes the older package first, as it always did;
#  - both actions are deferred, run without impersonation and check their exit code.
#   cmake -DMSIINFO=<msiinfo> -DMSI=<package> -P CheckMsiOrder.cmake
function(export_table table out)
  execute_process(COMMAND ${MSIINFO} export ${MSI} ${table} OUTPUT_VARIABLE text RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "msiinfo cannot export ${table} of ${MSI}")
  endif()
  string(REPLACE "\r" "" text "${text}")
  string(REGEX MATCHALL "[^\n]+" rows "${text}")
  set(${out} "${rows}" PARENT_SCOPE)
endfunction()

# The sequence numbers of InstallExecuteSequence, by action name.
export_table(InstallExecuteSequence rows)
set(actions "")
foreach(row IN LISTS rows)
  if(row MATCHES "^([A-Za-z_.]+)\t[^\t]*\t([0-9]+)$")
    set(seq_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
    list(APPEND actions ${CMAKE_MATCH_1})
  endif()
endforeach()
foreach(action InstallAllUsersShell UninstallAllUsersShell InstallInitialize InstallFinalize RemoveFiles InstallFiles
               InstallValidate RemoveExistingProducts)
  if(NOT DEFINED seq_${action})
    message(FATAL_ERROR "${action} is not in InstallExecuteSequence")
  endif()
endforeach()

foreach(action IN LISTS actions)
  if(seq_${action} GREATER seq_InstallAllUsersShell AND seq_${action} LESS seq_InstallFinalize)
    message(FATAL_ERROR "${action} (${seq_${action}}) runs after the shell is set (${seq_InstallAllUsersShell}) and before "
                        "InstallFinalize: its failure would roll the files back under the shell")
  endif()
endforeach()
if(NOT seq_InstallAllUsersShell GREATER seq_InstallFiles)
  message(FATAL_ERROR "InstallAllUsersShell runs before the files are in place")
endif()
if(NOT seq_UninstallAllUsersShell LESS seq_RemoveFiles)
  message(FATAL_ERROR "UninstallAllUsersShell runs after RemoveFiles")
endif()
if(NOT seq_RemoveExistingProducts GREATER seq_InstallValidate OR NOT seq_RemoveExistingProducts LESS seq_InstallInitialize)
  message(FATAL_ERROR "RemoveExistingProducts (${seq_RemoveExistingProducts}) is not between InstallValidate and "
                      "InstallInitialize: an upgrade would install before the older package is gone")
endif()
foreach(action InstallAllUsersShell UninstallAllUsersShell)
  if(NOT seq_${action} GREATER seq_InstallInitialize OR NOT seq_${action} LESS seq_InstallFinalize)
    message(FATAL_ERROR "${action} (${seq_${action}}) is deferred but lies outside InstallInitialize and InstallFinalize")
  endif()
endforeach()

# CustomAction types: 0x400 in the install script (deferred), 0x800 without impersonation,
# 0x40 not set (the exit code is checked).
export_table(CustomAction rows)
foreach(action InstallAllUsersShell UninstallAllUsersShell)
  set(type "")
  foreach(row IN LISTS rows)
    if(row MATCHES "^${action}\t([0-9]+)\t")
      set(type ${CMAKE_MATCH_1})
    endif()
  endforeach()
  if(type STREQUAL "")
    message(FATAL_ERROR "${action} is not in the CustomAction table")
  endif()
  math(EXPR deferred "${type} & 0x400")
  math(EXPR system "${type} & 0x800")
  math(EXPR ignored "${type} & 0x40")
  if(deferred EQUAL 0 OR system EQUAL 0 OR NOT ignored EQUAL 0)
    message(FATAL_ERROR "${action} has type ${type}: it must be deferred, run as the system and check its exit code")
  endif()
endforeach()
message(STATUS "the shell is set last before InstallFinalize (${seq_InstallAllUsersShell} < ${seq_InstallFinalize}) and "
               "put back before RemoveFiles (${seq_UninstallAllUsersShell} < ${seq_RemoveFiles})")
