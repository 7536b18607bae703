# Small helpers shared by the folders' CMakeLists.

# zarul_subdirectories(): adds every direct subfolder that has a CMakeLists.txt.
function(zarul_subdirectories)
    file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child ${children})
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()

# zarul_test(NAME name SOURCES ... LIBS ... [XVFB]):
# a GoogleTest executable whose tests are registered with ctest. Tests run in the build
# folder (where media/ lies) with SDL's offscreen video driver. XVFB marks tests that need
# a real X display (FLTK windows, xdotool); test.sh runs ctest under xvfb-run so DISPLAY
# is set for them, and they keep SDL on the x11 driver. test.sh also exports
# SDL_AUDIODRIVER=dummy. Only one variable goes through the test properties: the test
# discovery of this CMake version splits a list value apart.
function(zarul_test)
    cmake_parse_arguments(T "XVFB" "NAME" "SOURCES;LIBS" ${ARGN})
    find_package(GTest REQUIRED)
    include(GoogleTest)
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    # Tests on the one X display run one at a time: the windows of one would
    # take the keyboard focus from another's.
    if(T_XVFB)
        set(env "SDL_VIDEODRIVER=x11")
        set(labels "xvfb")
        set(lock "x-display")
    else()
        set(env "SDL_VIDEODRIVER=offscreen")
        set(labels "headless")
        set(lock "")
    endif()
    gtest_discover_tests(${T_NAME}
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "${env}" LABELS "${labels}" RESOURCE_LOCK "${lock}")
endfunction()

# zarul_bench(NAME name SOURCES ... LIBS ...): a Google Benchmark executable (not run by ctest).
function(zarul_bench)
    cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
    find_package(benchmark REQUIRED)
    add_executable(${B_NAME} ${B_SOURCES})
    target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# zarul_library(NAME name SOURCES ... INCLUDES ... LIBS ...): a static library whose
# INCLUDES are public include folders and whose LIBS its users link too.
function(zarul_library)
    cmake_parse_arguments(L "" "NAME" "SOURCES;INCLUDES;LIBS" ${ARGN})
    add_library(${L_NAME} STATIC ${L_SOURCES})
    target_include_directories(${L_NAME} PUBLIC ${L_INCLUDES})
    target_link_libraries(${L_NAME} PUBLIC ${L_LIBS})
endfunction()
