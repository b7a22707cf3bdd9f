# Runs one scenario: RUNNER, SCRIPT (<story>.vs) and WORK (a scratch folder) are given;
# EMULATOR runs a cross-built RUNNER, which sees this machine's paths under HOST_DRIVE.
# The run directory starts empty, or as a copy of <story>.setup/ when that folder exists.
# The transcript must equal <story>.out; when <story>.err exists, standard error must equal it.
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(story ${SCRIPT} NAME_WE)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(run_dir ${WORK}/run)
if(EXISTS ${dir}/${story}.setup)
  file(COPY ${dir}/${story}.setup/ DESTINATION ${run_dir})
endif()
execute_process(COMMAND ${EMULATOR} ${RUNNER} --run-dir ${HOST_DRIVE}${run_dir}
                        --now "2026-01-15 10:30:00" ${HOST_DRIVE}${SCRIPT}
                OUTPUT_FILE ${WORK}/transcript.out ERROR_FILE ${WORK}/transcript.err
                RESULT_VARIABLE code)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/transcript.out ${dir}/${story}.out
                RESULT_VARIABLE differs)
if(differs)
  execute_process(COMMAND diff -u ${dir}/${story}.out ${WORK}/transcript.out)
  message(FATAL_ERROR "transcript of ${story} differs from ${story}.out (exit ${code})")
endif()
if(EXISTS ${dir}/${story}.err)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/transcript.err ${dir}/${story}.err
                  RESULT_VARIABLE err_differs)
  if(err_differs)
    execute_process(COMMAND diff -u ${dir}/${story}.err ${WORK}/transcript.err)
    message(FATAL_ERROR "standard error of ${story} differs from ${story}.err")
  endif()
endif()
