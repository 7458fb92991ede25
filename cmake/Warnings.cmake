# Strict warnings for the project's own targets; third-party headers are included as SYSTEM.
function(veltamar_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
