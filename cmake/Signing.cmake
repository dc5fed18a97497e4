# Signs corvane.exe and the Windows Installer package with a code-signing certificate, so that
# application control (AppLocker, WDAC) and SmartScreen can trust them by their publisher.
# Included after the package and msi sections.
#
#   CORVANE_SIGN_PKCS12     the certificate with its private key, a PKCS#12 file (full path);
#                           without one nothing is signed
#   CORVANE_SIGN_PASSWORD   its password: best an environment variable at build time, or this
#                           cache variable (cmake/Sign.cmake says why it is not read earlier)
#   CORVANE_SIGN_TIMESTAMP  the URL of an RFC 3161 timestamp server, so that the signatures stay
#                           valid after the certificate expires; none when empty
#   CORVANE_SIGN_CAFILE     the CA certificates that the signature test trusts (default:
#                           osslsigncode's, the system's)
# The certificate and the timestamp server can be given as environment variables of the same
# names at the first configure instead.
#
# corvane.exe is signed right after it is linked, so the zip, the MSI and every test take the
# signed file; the MSI is signed right after wixl makes it.
set(CORVANE_SIGN_PKCS12 "$ENV{CORVANE_SIGN_PKCS12}" CACHE FILEPATH
    "Code-signing certificate (PKCS#12) for corvane.exe and the MSI; nothing is signed without one")
set(CORVANE_SIGN_PASSWORD "" CACHE STRING
    "Password of CORVANE_SIGN_PKCS12 (the environment variable of that name wins)")
set(CORVANE_SIGN_TIMESTAMP "$ENV{CORVANE_SIGN_TIMESTAMP}" CACHE STRING
    "RFC 3161 timestamp server's URL; none when empty")
set(CORVANE_SIGN_CAFILE "" CACHE FILEPATH "CA certificates that the signature test trusts; empty: the system's")

if(NOT CORVANE_SIGN_PKCS12)
  message(STATUS "corvane.exe and the MSI are not signed: no code-signing certificate given (CORVANE_SIGN_PKCS12)")
  return()
endif()
if(NOT IS_ABSOLUTE "${CORVANE_SIGN_PKCS12}" OR NOT EXISTS "${CORVANE_SIGN_PKCS12}"
   OR IS_DIRECTORY "${CORVANE_SIGN_PKCS12}")
  message(FATAL_ERROR "CORVANE_SIGN_PKCS12: no certificate file ${CORVANE_SIGN_PKCS12} "
                      "(give the PKCS#12 file's full path)")
endif()
find_program(CORVANE_OSSLSIGNCODE osslsigncode)
if(NOT CORVANE_OSSLSIGNCODE)
  message(FATAL_ERROR "osslsigncode, which signs with CORVANE_SIGN_PKCS12, not found "
                      "(tools/setup-debian.sh installs it)")
endif()

# The command that signs file in place.
function(corvane_sign_command out file)
  set(${out} COMMAND ${CMAKE_COMMAND} -DOSSLSIGNCODE=${CORVANE_OSSLSIGNCODE} -DPKCS12=${CORVANE_SIGN_PKCS12}
             -DDESCRIPTION=${PROJECT_NAME} "-DTIMESTAMP=${CORVANE_SIGN_TIMESTAMP}" -DBINARY_DIR=${PROJECT_BINARY_DIR}
             -DFILE=${file} -P ${PROJECT_SOURCE_DIR}/cmake/Sign.cmake PARENT_SCOPE)
endfunction()

corvane_sign_command(sign_corvane $<TARGET_FILE:corvane>)
add_custom_command(TARGET corvane POST_BUILD ${sign_corvane} VERBATIM)
# A new certificate in the same file signs again.
set_property(TARGET corvane APPEND PROPERTY LINK_DEPENDS ${CORVANE_SIGN_PKCS12})
if(TARGET msi)
  corvane_sign_command(sign_msi ${CORVANE_MSI})
  add_custom_command(OUTPUT ${CORVANE_MSI} APPEND ${sign_msi})
endif()
message(STATUS "corvane.exe and the MSI are signed with ${CORVANE_SIGN_PKCS12}")

# corvane.exe as the zip packs it and the MSI carry a signature that the CA vouches for and
# that covers their content.
add_test(NAME signatures
         COMMAND ${CMAKE_COMMAND} -DOSSLSIGNCODE=${CORVANE_OSSLSIGNCODE} "-DCAFILE=${CORVANE_SIGN_CAFILE}"
                 -DBINARY_DIR=${PROJECT_BINARY_DIR} -DPACKAGE=${CORVANE_PACKAGE} "-DMSI=${CORVANE_MSI}"
                 -P ${PROJECT_SOURCE_DIR}/cmake/CheckSignature.cmake)
