// main.cpp -- the program's entry (placeholder until the shell lands).
#include <allegro.h>

int main(void) { return 0; }
