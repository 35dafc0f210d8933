// Linked into the program in the sanitizer build only. MPI libraries unload their plugins at
// MPI_Finalize; LeakSanitizer, which looks at exit, can then name neither those plugins nor
// the memory they did not give back, and so cannot tell the MPI library's leaks from ours.
// Here unloading does nothing, so every leak keeps a name to be judged (or suppressed) by.
extern "C" int dlclose(void*) { return 0; }
