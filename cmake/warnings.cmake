# Warnings are errors on our own code in every build; third-party code
# (GoogleTest) keeps its own flags.
function(zav_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  endif()
endfunction()
