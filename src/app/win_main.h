#pragma once
// The program's life: start-up in order, the main loop, shutdown in order. Returns the exit code.
int RunProgram();
