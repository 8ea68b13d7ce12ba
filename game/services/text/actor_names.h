// Crew names: random ones from the name list, a newborn's from its parents', and in Latin letters.
#pragma once

#include <string>
#include <string_view>

// A name of the list that the forbidden-word list accepts; empty without a name list or when
// no name is accepted.
std::u16string PickRandomActorName();
// A name of the list that begins with one of the four characters of the parents' names;
// a random name when ten tries find none.
std::u16string MakeChildActorName(std::u16string_view parentA, std::u16string_view parentB);
// The two kana of a name as they stand for Japanese, else each as its one or two capital letters.
std::u16string RomanizeKanaPair(std::u16string_view name);
