#pragma once
#include <string>

// A process-wide unique component name: "Tarnwick1", "Tarnwick2", ...
std::string NewComponentName();
