// Test helper: brings up Wine's session for the prefix with its desktop.
// Wine starts the session's desktop program, and the program that carries
// out the session's start, as children of the first program that needs
// them; started by this helper, they are not in the process group of a
// program under test, which a test ends as a whole.
#include <windows.h>

int main() { return GetDesktopWindow() ? 0 : 1; }
