# Signs one file of the build (corvane.exe, the MSI) in place with osslsigncode: an Authenticode
# signature with SHA-256, timestamped when a server is given. osslsigncode writes the signed
# file beside the original, which it replaces only once it is whole. When signing fails, the
# unsigned file is deleted too, so that the next build makes and signs it again rather than
# taking it as done.
#
# The certificate's password is read here, at build time, from the environment variable
# CORVANE_SIGN_PASSWORD, else from the build's cache (where it is only if it was given there).
# So it is written into no build file and onto no command line, which every user of the machine
# can read; osslsigncode takes it from a file in a folder that only its owner may open
# (-readpass), deleted as soon as the signing is done.
#   cmake -DOSSLSIGNCODE=<osslsigncode> -DPKCS12=<certificate.p12> -DDESCRIPTION=<product name>
#         [-DTIMESTAMP=<url>] -DBINARY_DIR=<build dir> -DFILE=<file to sign> -P Sign.cmake
if(DEFINED ENV{CORVANE_SIGN_PASSWORD})
  set(password "$ENV{CORVANE_SIGN_PASSWORD}")
else()
  load_cache(${BINARY_DIR} READ_WITH_PREFIX cached_ CORVANE_SIGN_PASSWORD)
  set(password "${cached_CORVANE_SIGN_PASSWORD}")
endif()

get_filename_component(name ${FILE} NAME)
set(work ${FILE}.signing)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(CHMOD ${work} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

set(options -pkcs12 ${PKCS12} -h sha256 -n ${DESCRIPTION})
if(password STREQUAL "")
  set(hint " (no password given: CORVANE_SIGN_PASSWORD)")
else()
  set(hint "")
  file(WRITE ${work}/password "${password}")
  list(APPEND options -readpass ${work}/password)
endif()
if(NOT TIMESTAMP STREQUAL "")
  list(APPEND options -ts ${TIMESTAMP})
endif()

execute_process(COMMAND ${OSSLSIGNCODE} sign ${options} -in ${FILE} -out ${work}/${name}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  file(RENAME ${work}/${name} ${FILE})
else()
  file(REMOVE ${FILE})
endif()
file(REMOVE_RECURSE ${work})
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot sign ${name} with ${PKCS12}${hint}; the unsigned file is deleted:\n${output}")
endif()
message(STATUS "signed ${name}")
