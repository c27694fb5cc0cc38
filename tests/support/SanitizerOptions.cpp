// Compiled into every test program and helper of the sanitizer build, so that a test run by hand, and every
// child it starts, runs with the same options as under CTest. Options set in the environment still win.

// QtScript's garbage collector scans the native stack, which fake stacks and leak checks trip over.
extern "C" __attribute__((visibility("default"), used)) const char *__asan_default_options()
{
    return "detect_stack_use_after_return=0:detect_leaks=0";
}

extern "C" __attribute__((visibility("default"), used)) const char *__ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}
