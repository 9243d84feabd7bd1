# cmake -DFUZZER=<target> -DSEEDS=<dir> -DWORK=<dir> -DSECONDS=<n> -P run_fuzzer.cmake
# One bounded libFuzzer run on a fresh copy of the seed corpus (the source tree is never written).
# Prints how many inputs ran; on a crash, prints the whole log and where the input was kept.
foreach(variable IN ITEMS FUZZER SEEDS WORK SECONDS)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "run_fuzzer.cmake needs -D${variable}=...")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus" "${WORK}/artifacts")
file(COPY "${SEEDS}/" DESTINATION "${WORK}/corpus")

execute_process(
    COMMAND "${FUZZER}" -max_total_time=${SECONDS} -rss_limit_mb=2048 -print_final_stats=1
            "-artifact_prefix=${WORK}/artifacts/" "${WORK}/corpus"
    WORKING_DIRECTORY "${WORK}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE log
    ERROR_VARIABLE log)
file(WRITE "${WORK}/fuzzer.log" "${log}")

get_filename_component(name "${FUZZER}" NAME)
string(REGEX MATCH "stat::number_of_executed_units: *([0-9]+)" executed "${log}")
set(executed "${CMAKE_MATCH_1}")
string(REGEX MATCH "Done [0-9]+ runs in ([0-9]+) second" done "${log}")
set(seconds "${CMAKE_MATCH_1}")
file(GLOB corpus "${WORK}/corpus/*")
list(LENGTH corpus corpusSize)

if(NOT result EQUAL 0 OR executed STREQUAL "")
    file(GLOB artifacts "${WORK}/artifacts/*")
    message("${log}")
    message(FATAL_ERROR "${name}: failed (exit ${result}) after ${executed} execs; input kept in: ${artifacts}")
endif()
message("${name}: ${executed} execs in ${seconds} s, corpus ${corpusSize} inputs, no crash (log: ${WORK}/fuzzer.log)")
