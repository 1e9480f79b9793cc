#include "app/FormMain.h"

int main(int argc, char** argv) { return lmr::RunProgram(argc, argv); }
