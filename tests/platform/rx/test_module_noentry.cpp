// A module without the runtime's entry point: the dynamic linker must refuse it.
extern "C" int korvelNotAnApplication() { return 1; }
