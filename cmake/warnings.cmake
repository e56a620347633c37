# Warnings are on for our own code in every build. They are errors only when
# ZAV_WERROR is on, as ./test and CI set it: a user's build with another
# compiler version must not fail on a warning that version newly reports.
# Third-party code (GoogleTest) keeps its own flags.
option(ZAV_WERROR "treat warnings in our own code as errors" OFF)

function(zav_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${ZAV_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${ZAV_WERROR}>:-Werror>)
  endif()
endfunction()
