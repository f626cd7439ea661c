#pragma once

// The main dialog: any number of jobs until the user closes it. Returns the exit code.
int run_main_dialog();
