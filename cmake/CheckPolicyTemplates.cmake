# Validates the Group Policy templates (Corvane.admx and en-US/Corvane.adml) against Microsoft's
# ADMX schema with xmllint. Without the schema's folder the test is skipped, and says so.
#   cmake -DXMLLINT=<xmllint> -DSCHEMA=<folder of PolicyDefinitionFiles.xsd> -DTEMPLATES=<folder> -P CheckPolicyTemplates.cmake
if(NOT EXISTS ${SCHEMA}/PolicyDefinitionFiles.xsd)
  message(STATUS "no ADMX schema in ${SCHEMA}: the policy templates are not validated")
  return()
endif()
if(NOT XMLLINT)
  message(FATAL_ERROR "xmllint not found: tools/setup-debian.sh installs it (libxml2-utils)")
endif()
execute_process(COMMAND ${XMLLINT} --noout --schema ${SCHEMA}/PolicyDefinitionFiles.xsd Corvane.admx en-US/Corvane.adml
                WORKING_DIRECTORY ${TEMPLATES} RESULT_VARIABLE valid OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT valid EQUAL 0)
  message(FATAL_ERROR "the policy templates do not validate:\n${output}")
endif()
message(STATUS "${output}")
