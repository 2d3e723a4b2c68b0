#include "shell/ComponentNames.h"

std::string NewComponentName() {
    static unsigned counter = 0;
    return "Tarnwick" + std::to_string(++counter);
}
