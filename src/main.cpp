// Delvix entry point.
#include "app/win_main.h"

int main() { return RunProgram(); }
