#include "tokens.h"

#include <stdexcept>

std::vector<std::string> Tokenize(const std::string& line) {
    std::vector<std::string> words;
    size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ' || line[at] == '\t' || line[at] == '\r') {
            ++at;
            continue;
        }
        if (words.empty() && line[at] == '#') break;
        std::string word;
        if (line[at] == '"') {
            for (++at;; ++at) {
                if (at >= line.size()) throw std::invalid_argument("a quote is not closed");
                if (line[at] == '"' && at + 1 < line.size() && line[at + 1] == '"') {
                    word += '"';
                    ++at;
                } else if (line[at] == '"') {
                    ++at;
                    break;
                } else {
                    word += line[at];
                }
            }
        } else {
            while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') word += line[at++];
        }
        words.push_back(word);
    }
    return words;
}
