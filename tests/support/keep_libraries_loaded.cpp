// A test program never unloads a library. SDL gives back the GL driver and the X libraries with
// every window it destroys, and the driver can load more of its own while a window lives; a
// leak inside any of them, reported at exit, could then no longer be matched by name to the
// suppressions of the system's own libraries. Defined in the program, this dlclose comes
// before the C library's for every library loaded into it.
extern "C" int dlclose(void*) { return 0; }
