# Libraries the program builds against. All come from Debian packages (scripts/install-deps).
find_package(PkgConfig REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX EGL)
find_package(wxWidgets 3.2 REQUIRED COMPONENTS gl core base)
find_package(X11 REQUIRED)
# Large photos are decoded at a reduced scale (the toolkit already uses this library for JPEG).
find_package(JPEG REQUIRED)
# Large PNG pictures are read row by row and reduced while they are read (the toolkit already
# uses this library for PNG, so the program loads nothing new).
find_package(PNG REQUIRED)

pkg_check_modules(FTGL REQUIRED IMPORTED_TARGET ftgl)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
# MPEG audio of the user's music files is decoded with the library the mixer itself uses for it.
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)

find_path(SOIL_INCLUDE_DIR SOIL/SOIL.h REQUIRED)
find_library(SOIL_LIBRARY SOIL REQUIRED)
find_library(GLU_LIBRARY GLU REQUIRED)

add_library(veltamar_wx INTERFACE)
target_include_directories(veltamar_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(veltamar_wx INTERFACE ${wxWidgets_DEFINITIONS})
target_compile_options(veltamar_wx INTERFACE ${wxWidgets_CXX_FLAGS})
target_link_libraries(veltamar_wx INTERFACE ${wxWidgets_LIBRARIES})

add_library(veltamar_soil INTERFACE)
target_include_directories(veltamar_soil SYSTEM INTERFACE ${SOIL_INCLUDE_DIR})
target_link_libraries(veltamar_soil INTERFACE ${SOIL_LIBRARY})

