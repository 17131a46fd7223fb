#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "outlook.h"

// A mistake in a script line, told in the simulator's own words.
class LineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Words = std::vector<std::string>;

// Refuses a line of fewer than `least` or more than `most` words, answering with the command's
// form; `missing` names the first word that is not there ("an inspector number").
void CheckForm(const Words& words, size_t least, size_t most, const std::string& form, const char* missing);
// A whole number written in decimal digits, with an optional sign.
int Number(const std::string& word);
// `word` when it is one of `choices`; otherwise refuses the line with the command's form.
const std::string& OneOf(const std::string& word, std::initializer_list<const char*> choices, const std::string& form);
// A date and time written "YYYY-MM-DD HH:MM", as an OLE date.
double DateAndTime(const std::string& word);
sim::FolderKind FolderNamed(const std::string& name);
int16_t RecipientType(const std::string& name);
// The window numbered `word` among `count` open ones of that kind (explorer, inspector), or the
// line is refused: "no explorer 5: 1 explorer is open".
int WindowNumber(const std::string& word, int count, const std::string& kind);
