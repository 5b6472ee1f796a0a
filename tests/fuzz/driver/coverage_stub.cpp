// The executables of a fuzz build without libFuzzer that run no fuzzing loop (the asset
// generator, the map compiler) share the game's code, with its coverage calls; here those calls
// count nothing. The mutation loop's own definition takes the place of this one.
extern "C" __attribute__((weak, no_sanitize_coverage)) void __sanitizer_cov_trace_pc() {}
