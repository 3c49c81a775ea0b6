#include "design/design_loop.h"

int main() { return bellform::design_loop(); }
