#pragma once
// Small valid .bmp file images of every header size, depth and compression,
// named for what they hold; for sweeps in the tests and as fuzz seeds.
#include <string>
#include <utility>
#include <vector>

std::vector<std::pair<std::string, std::string>> BmpSamples();
