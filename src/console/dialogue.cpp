#include "dialogue.hpp"

#include <cstdint>

#include "texts.hpp"

namespace {

// What one read met: a 32-bit number, something else, or the end of the input.
enum class Token : std::uint8_t { number, not_a_number, end };

struct Reading {
    Token token;
    std::int32_t value;
};

constexpr bool is_space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool is_digit(int c)
{
    return c >= '0' && c <= '9';
}

// Reads the next whole number as "%d" would: white space skipped, an optional
// sign, decimal digits, and whatever follows left for the next read. Unlike
// "%d" it never stalls on a word that is not a number (the word is dropped)
// and never overflows (a number beyond 32 bits is not taken for one). It reads
// one character at a time, so memory stays the same whatever the input.
Reading read_number(std::FILE* in)
{
    int c = std::fgetc(in);
    while (is_space(c)) {
        c = std::fgetc(in);
    }
    if (c == EOF) {
        return {Token::end, 0};
    }

    const bool negative = c == '-';
    if (c == '-' || c == '+') {
        c = std::fgetc(in);
    }
    if (!is_digit(c)) {
        while (c != EOF && !is_space(c)) {
            c = std::fgetc(in);
        }
        return {Token::not_a_number, 0};
    }

    // Past this the number is out of 32-bit range either way, and more
    // digits cannot bring it back: the magnitude stops growing there.
    constexpr std::int64_t beyond = std::int64_t{INT32_MAX} + 2;
    std::int64_t magnitude = 0;
    do {
        if (magnitude < beyond) {
            magnitude = magnitude * 10 + (c - '0');
        }
        c = std::fgetc(in);
    } while (is_digit(c));
    std::ungetc(c, in);

    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) {
        return {Token::not_a_number, 0};
    }
    return {Token::number, static_cast<std::int32_t>(value)};
}

void put_line(const char* line, std::FILE* out)
{
    std::fputs(line, out);
    std::fputc('\n', out);
}

} // namespace

bool read_elements(std::FILE* in, std::FILE* out, Elements& A)
{
    std::int32_t number = 1;
    for (std::int32_t& element : A) {
        for (;;) {
            std::fprintf(out, text::prompt, number, MAX_VALUE);
            // The prompt must be seen before the wait, even through a pipe.
            std::fflush(out);

            const Reading reading = read_number(in);
            if (reading.token == Token::end) {
                // End the open prompt line.
                std::fputc('\n', out);
                std::fflush(out);
                return false;
            }
            if (reading.token == Token::number && reading.value >= 0 && reading.value <= MAX_VALUE) {
                element = reading.value;
                break;
            }
            std::fprintf(out, text::range_error, MAX_VALUE);
        }
        ++number;
    }
    return true;
}

void print_report(std::FILE* out, const Elements& B)
{
    std::int32_t position = 1;
    for (const std::int32_t value : B) {
        std::fprintf(out, text::result_line, position, value);
        ++position;
    }
    put_line(text::spacer, out);
    put_line(text::closing_rule, out);
}
