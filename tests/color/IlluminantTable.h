#pragma once
// The CIE illuminant spectra of data/illuminants_5nm.csv on the 5 nm grid.
#include <vector>

/// Column 0 = A, 1 = D65, 2..13 = F1..F12; 81 values, 380..780 nm.
std::vector<double> illuminantColumn(int column);
