# The program's layers, one library per folder of src/, each linking only
# the layers beneath it. Each layer's headers are reached through an
# include root of its own in the build folder, which holds that one folder
# (a link to it) and nothing else: a file can name a header only of its
# own layer or of one it links, so an include that reaches up fails to
# build.
function(zav_include_root target folder scope)
  set(root "${CMAKE_BINARY_DIR}/include/${target}")
  set(link "${root}/${folder}")
  set(source "${PROJECT_SOURCE_DIR}/src/${folder}")
  if(NOT IS_DIRECTORY "${link}")
    file(MAKE_DIRECTORY "${root}")
    if(CMAKE_HOST_WIN32)
      # A junction needs no privilege, where a symbolic link does.
      file(TO_NATIVE_PATH "${link}" native_link)
      file(TO_NATIVE_PATH "${source}" native_source)
      execute_process(COMMAND cmd /c mklink /J "${native_link}" "${native_source}" OUTPUT_QUIET
                      RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR "could not link ${link} to ${source}")
      endif()
    else()
      file(CREATE_LINK "${source}" "${link}" SYMBOLIC)
    endif()
  endif()
  target_include_directories(${target} ${scope} "${root}")
endfunction()

# zav_layer(TARGET FOLDER [SOURCES ...] [LINKS ...]): a static library of
# the folder's sources, or an interface library where it has none.
function(zav_layer target folder)
  cmake_parse_arguments(LAYER "" "" "SOURCES;LINKS" ${ARGN})
  if(LAYER_SOURCES)
    list(TRANSFORM LAYER_SOURCES PREPEND "${PROJECT_SOURCE_DIR}/src/${folder}/")
    add_library(${target} STATIC ${LAYER_SOURCES})
    zav_warnings(${target})
    zav_include_root(${target} ${folder} PUBLIC)
    target_link_libraries(${target} PUBLIC ${LAYER_LINKS})
  else()
    add_library(${target} INTERFACE)
    zav_include_root(${target} ${folder} INTERFACE)
    target_link_libraries(${target} INTERFACE ${LAYER_LINKS})
  endif()
endfunction()
