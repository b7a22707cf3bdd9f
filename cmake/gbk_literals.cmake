# GBK narrow literals for a compiler without GCC's -fexec-charset (clang): each source of a
# target is compiled from a copy whose non-ASCII narrow literals are GBK octal escapes, made by
# transcode_gbk_literals with the same glibc converter GCC uses. Headers are compiled as they
# are, so a header's narrow literals must stay ASCII; the build checks that.
add_executable(transcode-gbk-literals ${CMAKE_CURRENT_LIST_DIR}/gbk_literals/transcode_gbk_literals.cpp)

function(velmora_gbk_literals_transcoded target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(copy_root ${CMAKE_BINARY_DIR}/gbk-literals/${target})
  set(compiled)
  set(source_dirs)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} OUTPUT_VARIABLE absolute)
    if(NOT absolute MATCHES "\\.cpp$")
      list(APPEND compiled ${absolute})
      continue()
    endif()
    cmake_path(GET absolute PARENT_PATH directory)
    list(APPEND source_dirs ${directory})
    cmake_path(RELATIVE_PATH absolute BASE_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE relative)
    set(copy ${copy_root}/${relative})
    add_custom_command(OUTPUT ${copy}
                       COMMAND transcode-gbk-literals ${absolute} ${copy}
                       DEPENDS ${absolute} transcode-gbk-literals
                       COMMENT "GBK literals of ${relative}" VERBATIM)
    list(APPEND compiled ${copy})
  endforeach()
  list(REMOVE_DUPLICATES source_dirs)
  set(headers)
  foreach(directory IN LISTS source_dirs)
    file(GLOB directory_headers CONFIGURE_DEPENDS ${directory}/*.h)
    list(APPEND headers ${directory_headers})
    # A quoted include looks beside the copy first, where no header is.
    target_compile_options(${target} PRIVATE -iquote ${directory})
  endforeach()
  if(headers)
    set(stamp ${copy_root}/headers-checked)
    add_custom_command(OUTPUT ${stamp}
                       COMMAND transcode-gbk-literals --unchanged ${headers}
                       COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
                       DEPENDS ${headers} transcode-gbk-literals
                       COMMENT "Narrow literals of the headers of ${target} are ASCII" VERBATIM)
    list(APPEND compiled ${stamp})
  endif()
  set_property(TARGET ${target} PROPERTY SOURCES ${compiled})
endfunction()
