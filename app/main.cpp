#include "app/startup.h"

int main(int argc, char** argv) { return tallyra::RunProgram(argc, argv); }
