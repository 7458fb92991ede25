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

# The wallpaper and the idle screen: on Wayland, layer-shell surfaces made through GTK (which the
# toolkit already loads) and gtk-layer-shell, which carries the protocol, drawn with EGL; on X11,
# a desktop window per RandR monitor with an empty input shape (XShape, in libXext).
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
pkg_check_modules(GTK_LAYER_SHELL REQUIRED IMPORTED_TARGET gtk-layer-shell-0)
pkg_check_modules(WAYLAND REQUIRED IMPORTED_TARGET wayland-client wayland-egl)
if(NOT X11_Xrandr_FOUND OR NOT X11_Xext_FOUND OR NOT X11_Xshape_INCLUDE_PATH)
    message(FATAL_ERROR "libxrandr-dev and libxext-dev are needed (scripts/install-deps)")
endif()

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

