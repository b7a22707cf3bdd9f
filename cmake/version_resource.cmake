# The identity every Windows program of the project carries: a version resource with the
# version of project(), the publisher and the copyright that packaging/copyright states.
set(VELMORA_PUBLISHER "Velmora maintainers")
set(VELMORA_COPYRIGHT "Copyright (C) 2026 Velmora maintainers")
set(VELMORA_VERSION_FOUR ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
foreach(part PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    string(APPEND VELMORA_VERSION_FOUR .0)
  else()
    string(APPEND VELMORA_VERSION_FOUR .${PROJECT_VERSION_${part}})
  endif()
endforeach()

# velmora_version_resource(TARGET DESCRIPTION): adds the version resource to a program, with its
# own description and file name.
function(velmora_version_resource target description)
  set(VELMORA_RC_DESCRIPTION ${description})
  set(VELMORA_RC_INTERNAL_NAME ${target})
  set(VELMORA_RC_FILE_NAME ${target}.exe)
  set(VELMORA_RC_VERSION_DOTS ${VELMORA_VERSION_FOUR})
  string(REPLACE . , VELMORA_RC_VERSION_COMMAS ${VELMORA_VERSION_FOUR})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version_info.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
