# Runs GENERATOR into WORK and fails unless the result equals TABLES byte for byte.
execute_process(COMMAND ${GENERATOR} OUTPUT_FILE ${WORK} RESULT_VARIABLE code)
if(code)
  message(FATAL_ERROR "gb18030-tables failed (${code})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK} ${TABLES} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${TABLES} is not what gb18030-tables gives now: generate it again")
endif()
