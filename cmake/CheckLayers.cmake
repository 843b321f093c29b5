# The layers of the source tree, checked on every test run:
#   app/ (the GLUT shell) -> world, towns, player, particles, enemies (the subsystems) -> core/
# - nothing below app/ includes app/;
# - core/ includes nothing but core/;
# - below app/, only GL-side files (names ending in Gl, e.g. world/WaterGl.cpp) may include OpenGL, GLU,
#   GLUT, GLEW or SDL headers or another GL-side header; every other file holds rules that can be tested
#   without a display.
# Usage: cmake -DROOT=<source folder> -P CheckLayers.cmake
if(NOT DEFINED ROOT)
    message(FATAL_ERROR "CheckLayers.cmake needs -DROOT=<source folder>")
endif()

set(layers core world towns player particles enemies)
set(problems "")
foreach(layer IN LISTS layers)
    file(GLOB files RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
    foreach(file IN LISTS files)
        get_filename_component(stem ${file} NAME_WE)
        string(REGEX MATCH "Gl$" glSide "${stem}")
        file(STRINGS ${ROOT}/${file} lines)
        set(number 0)
        foreach(line IN LISTS lines)
            math(EXPR number "${number} + 1")
            if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
                continue()
            endif()
            set(header ${CMAKE_MATCH_1})
            if(header MATCHES "^app/")
                list(APPEND problems "${file}:${number}: includes ${header}, but nothing below the shell may")
            endif()
            if(layer STREQUAL "core" AND header MATCHES "^(world|towns|player|particles|enemies)/")
                list(APPEND problems "${file}:${number}: includes ${header}, but core/ stands below every subsystem")
            endif()
            if(NOT glSide AND header MATCHES "^(GL/|SDL|GLFW/)|^SDL2/|Gl\\.h$")
                list(APPEND problems
                     "${file}:${number}: includes ${header}, but a rule file draws nothing (GL code goes in a *Gl file)")
            endif()
        endforeach()
    endforeach()
endforeach()

if(problems)
    list(JOIN problems "\n" report)
    message(FATAL_ERROR "layer rules broken:\n${report}")
endif()
message(STATUS "layer rules hold")
