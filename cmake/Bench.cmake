# The start-up benchmark's programs, built on request only (target kestrune_bench).
add_subdirectory(bench EXCLUDE_FROM_ALL)
add_custom_target(kestrune_bench DEPENDS kestrune_bench_probe kestrune_bench_bare)
