#pragma once

#include <string>

// Whether `a` becomes `b` by one slip of the hand: a letter more, less or
// other, or two side by side swapped ("Titel" and "title" are not: case
// counts; "Titel" and "Title" are).
bool OneTypoApart(const std::string& a, const std::string& b);
