# Makes the release package and checks that it holds what a Windows user unpacks: corvane.exe,
# the example configuration, the text for Windows users and the Group Policy templates, in one
# top folder.
#   cmake -DBINARY_DIR=<build dir> -DPACKAGE=<file name without .zip> -P CheckPackage.cmake
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G ZIP WORKING_DIRECTORY ${BINARY_DIR} RESULT_VARIABLE made
                OUTPUT_QUIET)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "cpack failed (${made})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${BINARY_DIR}/${PACKAGE}.zip OUTPUT_VARIABLE listing
                RESULT_VARIABLE listed)
if(NOT listed EQUAL 0)
  message(FATAL_ERROR "cannot list ${PACKAGE}.zip")
endif()
foreach(entry corvane.exe README-WINDOWS.txt settings.ini shells.ini script.txt schemes/Default.crs
              PolicyDefinitions/Corvane.admx PolicyDefinitions/en-US/Corvane.adml)
  string(FIND "${listing}" "${PACKAGE}/${entry}\n" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${PACKAGE}.zip lacks ${entry}; it holds:\n${listing}")
  endif()
endforeach()
string(REGEX MATCHALL "[^\n]+" entries "${listing}")
list(LENGTH entries count)
if(NOT count EQUAL 11)
  message(FATAL_ERROR "${PACKAGE}.zip holds other files than the release's:\n${listing}")
endif()
message(STATUS "${PACKAGE}.zip: ${count} entries as expected")
