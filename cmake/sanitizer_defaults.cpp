// Linked into every program of the sanitizer build, so that a test run needs no environment
// variable: the sanitizer runtimes read these hooks at start-up.

// The Firebird client allocates once per process and never frees (SRP big numbers, iconv
// converters); those are not our leaks.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfbclient.so\n"
           "leak:libtommath.so\n";
}

// Undefined behaviour fails the run instead of scrolling past in the output.
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}
