// Sanitizer settings of every run of a fuzz target, by hand too: the test
// command's leak suppressions (leaks wholly inside system libraries), and a
// stack trace with each report of undefined behaviour.

#ifndef STARBOND_LSAN_SUPPRESSIONS
#error "STARBOND_LSAN_SUPPRESSIONS: the path of tests/lsan.supp"
#endif

extern "C" const char *__lsan_default_options()
{
    return "suppressions=" STARBOND_LSAN_SUPPRESSIONS;
}

extern "C" const char *__ubsan_default_options()
{
    return "print_stacktrace=1";
}
