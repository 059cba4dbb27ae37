#include "platform/program_end.h"

#include <cstdlib>

void endProgram(int status) {
    std::exit(status);
}
