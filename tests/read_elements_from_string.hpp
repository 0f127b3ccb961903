#pragma once

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "dialogue.hpp"

// read_elements run on temporary files: fed from a string, its output read
// back into a string.
struct ReadElementsResult {
    bool complete = false;
    bool input_exhausted = false;
    Elements A{};
    std::string output;
};

inline ReadElementsResult read_elements_from_string(std::string_view input)
{
    using File = std::unique_ptr<std::FILE, decltype(&std::fclose)>;
    const File in(std::tmpfile(), &std::fclose);
    const File out(std::tmpfile(), &std::fclose);
    if (!in || !out) {
        throw std::runtime_error("no temporary file");
    }
    std::fwrite(input.data(), 1, input.size(), in.get());
    std::rewind(in.get());

    ReadElementsResult result;
    result.complete = read_elements(in.get(), out.get(), result.A);
    result.input_exhausted = std::feof(in.get()) != 0;

    std::rewind(out.get());
    for (int c = std::fgetc(out.get()); c != EOF; c = std::fgetc(out.get())) {
        result.output.push_back(static_cast<char>(c));
    }
    return result;
}

inline int occurrences(std::string_view text, std::string_view part)
{
    int count = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}
