# Fuzzes on a copy of the seeds, so that neither the seeds nor the source tree pick up what the run finds.
# Usage: cmake -DFUZZER=... -DSEEDS=... -DSCRATCH=... -DSECONDS=... -P RunFuzz.cmake
foreach(var FUZZER SEEDS SCRATCH SECONDS)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "RunFuzz.cmake needs -D${var}=...")
    endif()
endforeach()

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/corpus ${SCRATCH}/artifacts)
file(GLOB seeds ${SEEDS}/*.bmp)
if(NOT seeds)
    message(FATAL_ERROR "no seeds in ${SEEDS}: build the bitmap_fuzz target first")
endif()
file(COPY ${seeds} DESTINATION ${SCRATCH}/corpus)

execute_process(
    COMMAND ${FUZZER} ${SCRATCH}/corpus -max_total_time=${SECONDS} -timeout=5 -rss_limit_mb=2048
            -max_len=8192 -print_final_stats=1 -artifact_prefix=${SCRATCH}/artifacts/
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)

string(REGEX MATCH "Done [0-9]+ runs in [0-9]+ second\\(s\\)" done "${output}")
if(NOT result EQUAL 0 OR NOT done)
    message("${output}")
    file(GLOB found ${SCRATCH}/artifacts/*)
    message(FATAL_ERROR "the bitmap fuzzer failed (exit ${result}); inputs kept: ${found}")
endif()
message("bitmap fuzzer: ${done}")
