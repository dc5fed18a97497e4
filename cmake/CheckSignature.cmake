# Checks the signatures of the release files: corvane.exe as the zip packs it and the MSI verify
# (Authenticode with SHA-256, from a certificate that the trusted CA issued), and a copy of each
# with one byte of its signed content changed does not, its digest no longer matching. The byte
# is the first of a text that lies in the signed content: the DOS stub's message in the
# executable's headers, the cabinet's "MSCF" at the start of the MSI's file stream.
#   cmake -DOSSLSIGNCODE=<osslsigncode> [-DCAFILE=<trusted CA certificates>] -DBINARY_DIR=<build dir>
#         -DPACKAGE=<zip name without .zip> [-DMSI=<package>] -P CheckSignature.cmake
set(work ${BINARY_DIR}/signature-check)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
set(trusted "")
if(CAFILE)
  set(trusted -CAfile ${CAFILE})
endif()

function(verify file result_out output_out)
  execute_process(COMMAND ${OSSLSIGNCODE} verify ${trusted} -in ${file}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${result_out} ${result} PARENT_SCOPE)
  set(${output_out} "${output}" PARENT_SCOPE)
endfunction()

# The byte offset in file of the first occurrence of text.
function(offset_of file text out)
  file(READ ${file} digits HEX)
  string(HEX "${text}" wanted)
  string(FIND "${digits}" "${wanted}" at)
  math(EXPR odd "${at} % 2")
  if(at EQUAL -1 OR odd)
    message(FATAL_ERROR "${file} holds no \"${text}\" that starts on a byte")
  endif()
  math(EXPR offset "${at} / 2")
  set(${out} ${offset} PARENT_SCOPE)
endfunction()

# file verifies, and a copy with the first byte of text changed fails on its digest.
function(check_signed file text)
  verify(${file} result output)
  if(NOT result EQUAL 0 OR NOT output MATCHES "Message digest algorithm *: SHA256")
    message(FATAL_ERROR "${file} has no valid SHA-256 signature:\n${output}")
  endif()
  get_filename_component(name ${file} NAME)
  set(copy ${work}/changed-${name})
  offset_of(${file} "${text}" offset)
  file(COPY_FILE ${file} ${copy})
  file(WRITE ${work}/byte "X")
  execute_process(COMMAND dd if=${work}/byte of=${copy} bs=1 seek=${offset} count=1 conv=notrunc
                  RESULT_VARIABLE written OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT written EQUAL 0)
    message(FATAL_ERROR "cannot change a byte of ${copy}: ${errors}")
  endif()
  verify(${copy} result output)
  if(result EQUAL 0 OR NOT output MATCHES "MISMATCH")
    message(FATAL_ERROR "${name} with the byte at ${offset} changed is not refused for its digest:\n${output}")
  endif()
  message(STATUS "${name}: signed, and refused with the byte at ${offset} changed")
endfunction()

execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G ZIP -B ${work} WORKING_DIRECTORY ${BINARY_DIR}
                RESULT_VARIABLE made OUTPUT_QUIET)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "cpack failed (${made})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${work}/${PACKAGE}.zip WORKING_DIRECTORY ${work}
                RESULT_VARIABLE extracted)
if(NOT extracted EQUAL 0)
  message(FATAL_ERROR "cannot extract ${PACKAGE}.zip")
endif()
check_signed(${work}/${PACKAGE}/corvane.exe "This program cannot be run in DOS mode")
if(MSI)
  check_signed(${MSI} "MSCF")
endif()
