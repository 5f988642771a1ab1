// Linked into every program of the host (an interface source of orv_host), read by the leak
// checker of sanitizer builds only.
//
// The editor's text libraries reach fontconfig, whose configuration is parsed once per process
// and kept for its life. Since the host no longer carries the toolkit and its libraries, that
// configuration is first read from inside the plug-in module, and the checker loses track of
// its owner once the module is unloaded: it is no leak of ours, nor one that grows.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so.1\n";
}
