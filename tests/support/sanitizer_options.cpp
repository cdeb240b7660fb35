// The sanitizers' settings, built into the sanitized programs so that they
// hold however a program is started (scripts/as-user clears the environment).
extern "C" const char *__asan_default_options()
{
    return "detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1";
}

extern "C" const char *__ubsan_default_options()
{
    return "print_stacktrace=1";
}
