# Settings shared by every target of the project: Unicode, warnings as errors,
# executables that import nothing but Windows system libraries.

add_library(lanfhe_options INTERFACE)
target_compile_definitions(lanfhe_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                     _WIN32_WINNT=0x0601 WINVER=0x0601)
target_include_directories(lanfhe_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(MSVC)
  target_compile_options(lanfhe_options INTERFACE /W4 /WX /utf-8 /permissive-)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>" CACHE STRING "" FORCE)
else()
  target_compile_options(lanfhe_options INTERFACE -Wall -Wextra -Werror -finput-charset=UTF-8 -fexec-charset=UTF-8)
  # Static C and C++ run times: the executables must run where no MinGW DLLs are installed.
  target_link_options(lanfhe_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()

# Runs a test executable under Wine on Linux; empty on Windows.
if(CMAKE_CROSSCOMPILING)
  set(LANFHE_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run ${LANFHE_WINE_PREFIX})
  set(LANFHE_EMULATOR ${CMAKE_CROSSCOMPILING_EMULATOR})
  # Tests that change the prefix's DPI (LogPixels) run in a prefix and Wine session of their own, so
  # that the tests sharing the build's prefix in parallel always see 96 dpi.
  set(LANFHE_DPI_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-dpi)
  set(LANFHE_DPI_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run ${LANFHE_DPI_WINE_PREFIX})
else()
  set(LANFHE_EMULATOR "")
  set(LANFHE_DPI_EMULATOR "")
endif()
