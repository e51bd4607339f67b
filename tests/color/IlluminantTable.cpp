#include "tests/color/IlluminantTable.h"

#include <fstream>
#include <sstream>
#include <string>

std::vector<double> illuminantColumn(int column) {
    std::ifstream in(CORVANE_SOURCE_DIR "/tests/color/data/illuminants_5nm.csv");
    std::string line;
    std::getline(in, line);
    std::vector<double> values;
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string field;
        for (int c = 0; c <= column + 1 && std::getline(fields, field, ','); ++c)
            if (c == column + 1) values.push_back(std::stod(field));
    }
    return values;
}
