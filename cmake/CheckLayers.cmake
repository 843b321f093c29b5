# The layers of the source tree, checked on every test run:
#   app/ (the GLUT shell) -> game/ (the game record and how a game starts) -> world, towns, player,
#   particles, enemies (the subsystems) -> core/
# - nothing below app/ includes app/, and no subsystem includes game/;
# - core/ includes nothing but core/;
# - below app/, only GL-side files (names ending in Gl, e.g. world/WaterGl.cpp) may include OpenGL, GLU,
#   GLUT, GLEW or SDL headers or another GL-side header; every other file holds rules that can be tested
#   without a display;
# - below app/, nothing ends the program (exit, abort and their kin): failures go up to the shell;
# - no mutable object lives for the whole run (at namespace scope, or static), except in the shell's wiring
#   file, app/main.cpp, whose one pointer GLUT's callbacks need.
# Usage: cmake -DROOT=<source folder> -P CheckLayers.cmake
if(NOT DEFINED ROOT)
    message(FATAL_ERROR "CheckLayers.cmake needs -DROOT=<source folder>")
endif()

set(subsystems world towns player particles enemies)
set(layers core game ${subsystems} app)
# A type, then the object's name, then what may follow a name being defined (not a parameter list).
set(object "[A-Za-z_][A-Za-z0-9_:<>, *&]*[ \t*&]+[A-Za-z_][A-Za-z0-9_]*[ \t]*(\\[[^]]*\\])*[ \t]*(=|;|{)")
set(problems "")
foreach(layer IN LISTS layers)
    file(GLOB files RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
    foreach(file IN LISTS files)
        get_filename_component(stem ${file} NAME_WE)
        string(REGEX MATCH "Gl$" glSide "${stem}")
        file(STRINGS ${ROOT}/${file} lines ENCODING UTF-8)
        set(number 0)
        set(innerBraces 0) # open braces of classes, functions and initialisers; namespaces do not count
        set(openParentheses 0) # a line inside them continues a parameter list or an expression
        foreach(line IN LISTS lines)
            math(EXPR number "${number} + 1")
            # Code only: no comment, no text in quotes or apostrophes.
            string(REGEX REPLACE "//.*" "" code "${line}")
            string(REGEX REPLACE "\"([^\"\\\\]|\\\\.)*\"" "\"\"" code "${code}")
            string(REGEX REPLACE "'([^'\\\\]|\\\\.)+'" "''" code "${code}")

            if(NOT file STREQUAL "app/main.cpp" AND NOT code MATCHES "(^|[^A-Za-z0-9_])(const|constexpr|operator)([^A-Za-z0-9_]|$)")
                if((innerBraces EQUAL 0 AND openParentheses EQUAL 0 AND code MATCHES "^[ \t]*((static|inline|extern|thread_local)[ \t]+)*${object}"
                    AND NOT code MATCHES "^[ \t]*(using|namespace|template|struct|class|enum|union|typedef|friend|return)[^A-Za-z0-9_]")
                   OR code MATCHES "^[ \t]*static[ \t]+((inline|thread_local)[ \t]+)*${object}")
                    list(APPEND problems
                         "${file}:${number}: defines a mutable object that lives for the whole run, but only the shell's wiring file may")
                endif()
            endif()
            if(NOT layer STREQUAL "app"
               AND code MATCHES "(^|[^A-Za-z0-9_.>:]|std::|[^A-Za-z0-9_]::)(exit|abort|_exit|_Exit|quick_exit)[ \t]*\\(")
                list(APPEND problems "${file}:${number}: calls ${CMAKE_MATCH_2}, but only the shell may end the program")
            endif()

            string(REGEX MATCHALL "[(]" opened "${code}")
            string(REGEX MATCHALL "[)]" closed "${code}")
            list(LENGTH opened opens)
            list(LENGTH closed closes)
            math(EXPR openParentheses "${openParentheses} + ${opens} - ${closes}")
            string(REGEX MATCHALL "[{}]" braces "${code}")
            set(namespaceLine FALSE)
            if(code MATCHES "^[ \t]*((inline[ \t]+)?namespace([ \t]+[A-Za-z_:][A-Za-z0-9_:]*)?|extern[ \t]*\"\")[ \t]*{")
                set(namespaceLine TRUE)
            endif()
            foreach(brace IN LISTS braces)
                if(brace STREQUAL "{")
                    if(namespaceLine AND innerBraces EQUAL 0)
                        set(namespaceLine FALSE) # the namespace's own brace
                    else()
                        math(EXPR innerBraces "${innerBraces} + 1")
                    endif()
                elseif(innerBraces GREATER 0)
                    math(EXPR innerBraces "${innerBraces} - 1")
                endif()
            endforeach()

            if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
                continue()
            endif()
            set(header ${CMAKE_MATCH_1})
            if(layer STREQUAL "app")
                continue()
            endif()
            if(header MATCHES "^app/")
                list(APPEND problems "${file}:${number}: includes ${header}, but nothing below the shell may")
            endif()
            if(NOT layer STREQUAL "game" AND header MATCHES "^game/")
                list(APPEND problems "${file}:${number}: includes ${header}, but the game record stands above every subsystem")
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
