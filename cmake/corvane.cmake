# Helpers shared by every folder: warnings, sanitizers, test executables and the
# two thread models of the win32 build.

option(CORVANE_SANITIZE "Build the native tree with AddressSanitizer and UBSan" OFF)
option(CORVANE_FUZZ "Build the fuzz targets (clang) instead of the tests" OFF)

if(NOT WIN32)
  add_compile_options(-Wall -Wextra -Wpedantic)
  if(CORVANE_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  elseif(CORVANE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
else()
  add_compile_options(-Wall -Wextra)
  add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# The shipped binaries use mingw's win32 thread model (XP has no GetTickCount64);
# GoogleTest needs std::mutex, so every test executable is compiled and linked
# with the posix-model driver through this launcher instead.
set(CORVANE_POSIX_LAUNCHER ${CMAKE_CURRENT_LIST_DIR}/posix-threads.sh)

function(corvane_use_posix_threads target)
  if(WIN32)
    set_target_properties(${target} PROPERTIES
      CXX_COMPILER_LAUNCHER ${CORVANE_POSIX_LAUNCHER}
      C_COMPILER_LAUNCHER ${CORVANE_POSIX_LAUNCHER}
      CXX_LINKER_LAUNCHER ${CORVANE_POSIX_LAUNCHER}
      C_LINKER_LAUNCHER ${CORVANE_POSIX_LAUNCHER})
  endif()
endfunction()

macro(corvane_setup_test_framework)
  if(WIN32)
    # Debian's googletest sources, built here with the posix-model compiler.
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    corvane_use_posix_threads(gtest)
    corvane_use_posix_threads(gtest_main)
  else()
    find_package(GTest REQUIRED)
  endif()
endmacro()

# corvane_add_test(NAME sources... LIBS libs...)
# One executable per area; on win32 it runs under Wine through the emulator.
function(corvane_add_test name)
  if(CORVANE_FUZZ)
    return()  # the fuzz tree builds only the fuzz targets and the libraries they read with
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  corvane_use_posix_threads(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
