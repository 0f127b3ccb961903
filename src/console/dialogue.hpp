#pragma once

#include <cstdio>

#include "bead_sort.hpp"

// Asks on out for each element of A in turn and reads it from in, asking
// again for anything that is not a whole number in 0..MAX_VALUE. Returns
// false if the input ends or fails first (ferror(in) tells which); A is then
// incomplete.
bool read_elements(std::FILE* in, std::FILE* out, Elements& A);

// Writes the sorted values B as numbered lines, then the spacer and the rule.
void print_report(std::FILE* out, const Elements& B);
