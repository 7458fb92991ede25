# Checks that the program's includes point down its layers, and fails naming every one that does
# not. Run on every build (src/CMakeLists.txt) and as a test:
#   cmake -DSOURCE_DIR=<folder of the sources> -P CheckLayers.cmake
#
#   platform                                   includes nothing above it
#   decoder                                    the decoding helper's protocol, sandbox and
#                                              process, over platform
#   render fish environment assets settings audio (the scene engine, over decoder and platform)
#   ui                                         the dialogs and controls, over the engine
#   view                                       the aquarium view, over ui and the engine
#   app                                        the application, over view, ui and the engine
#   saver                                      the screensaver shell, over the engine only
#   desktop                                    the wallpaper and idle-screen shell, over the
#                                              saver's aquarium and the engine
# Files directly in SOURCE_DIR (the entry point over both shells) may include anything. A folder
# that is not in this list is an error too: every folder has its place in the layers.

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<folder> -P CheckLayers.cmake")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

set(engine render fish environment assets settings audio decoder platform)
set(layers ${engine} ui view app saver desktop)
set(allowed_platform platform)
set(allowed_decoder platform decoder)
foreach(folder render fish environment assets settings audio)
    set(allowed_${folder} ${engine})
endforeach()
set(allowed_ui ${engine} ui)
set(allowed_view ${engine} ui view)
set(allowed_app ${engine} ui view app)
set(allowed_saver ${engine} saver)
set(allowed_desktop ${engine} saver desktop)

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(problems "")
foreach(file ${files})
    if(NOT file MATCHES "/")
        continue()
    endif()
    string(REGEX MATCH "^[^/]+" folder "${file}")
    if(NOT DEFINED allowed_${folder})
        string(APPEND problems "  ${file}: the folder '${folder}' has no place in the layers\n")
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">/]+/")
    foreach(line ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">/]+)/.*" "\\1" included "${line}")
        list(FIND layers "${included}" known)
        list(FIND allowed_${folder} "${included}" permitted)
        if(NOT known EQUAL -1 AND permitted EQUAL -1)
            string(REPLACE ";" " " may "${allowed_${folder}}")
            string(APPEND problems "  ${file}: includes \"${included}/...\" (${folder} may include ${may})\n")
        endif()
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "Includes that point up the layers:\n${problems}")
endif()
