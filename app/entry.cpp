// The process's entry, in place of the MinGW runtime's start-up code. That code (run-time
// relocations, TLS callbacks, its own exception filter, static constructors) serves
// nothing this program uses and made up almost half of the exe; msvcrt.dll sets up its
// own streams when it loads. This takes the arguments as the runtime would and hands
// main's result to exit, which flushes the streams.
#include <stdlib.h>

// The last argument is msvcrt's _startupinfo, a struct of one int: the new-handler mode.
extern "C" int __cdecl __getmainargs(int *argc, char ***argv, char ***env, int wildcards,
                                     int *new_mode);
extern "C" void __cdecl __set_app_type(int type);

int main(int argc, char **argv);

// GCC calls this from main to run static constructors; the program has none.
extern "C" void __main() {}

// Windows enters with the stack aligned to 4 bytes on i686; GCC's code may expect 16.
extern "C" __attribute__((force_align_arg_pointer)) void mainCRTStartup()
{
    __set_app_type(1); // _CONSOLE_APP: runtime errors go to the console, not a dialog
    int argc = 0;
    char **argv = NULL;
    char **env = NULL;
    int new_mode = 0;
    // No wildcard expansion: an argument is taken as typed.
    __getmainargs(&argc, &argv, &env, 0, &new_mode);
    exit(main(argc, argv));
}
