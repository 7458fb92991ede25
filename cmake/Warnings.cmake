# Strict warnings for the project's own targets; third-party headers are included as SYSTEM.
# Warnings become errors only where we choose (our CI turns VELTAMAR_WERROR on): a packager's
# build with another compiler or other flags must never fail on a new warning.
option(VELTAMAR_WERROR "Treat compiler warnings in the project's own code as errors" OFF)

function(veltamar_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(VELTAMAR_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
