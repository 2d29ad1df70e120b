# The `dist` target of a Windows build: copies the tool's executables into
# ZOR_DIST_DIR for packaging. It is formed once the whole project has been
# read, so that an executable added in any folder is found whatever the
# order of the folders.
set(ZOR_DIST_DIR "${CMAKE_BINARY_DIR}/dist" CACHE PATH "Where the dist target puts the executables")
# The package's name carries the version.
file(WRITE "${CMAKE_BINARY_DIR}/zor-version.txt" "${PROJECT_VERSION}\n")

function(zor_add_dist_target)
  set(executables)
  foreach(candidate ZORVezIrudeduzazAduzizorav zorvez_cli)
    if(TARGET ${candidate})
      get_target_property(type ${candidate} TYPE)
      if(type STREQUAL "EXECUTABLE")
        list(APPEND executables ${candidate})
      endif()
    endif()
  endforeach()
  set(copies)
  foreach(executable IN LISTS executables)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different
         "$<TARGET_FILE:${executable}>" "${ZOR_DIST_DIR}/")
  endforeach()
  add_custom_target(dist
    COMMAND ${CMAKE_COMMAND} -E make_directory "${ZOR_DIST_DIR}"
    ${copies}
    DEPENDS ${executables}
    COMMENT "Copying ${executables} into ${ZOR_DIST_DIR}"
    VERBATIM)
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL zor_add_dist_target)
