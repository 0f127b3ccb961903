#include "dialogue.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

#include "texts.hpp"

namespace {

// What one read met: a number, a word that is not one, or no more input.
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

// Drops the rest of a word that is not a number, c being its next byte.
Reading drop_word(std::FILE* in, int c)
{
    while (c != EOF && !is_space(c)) {
        c = std::fgetc(in);
    }
    return {Token::not_a_number, 0};
}

// Notepad and PowerShell begin a UTF-8 text file with a byte-order mark. Steps
// over it, c being the first byte of the input; false if the bytes only begin
// like one, and so are a word that is not a number.
bool skip_byte_order_mark(std::FILE* in, int& c)
{
    constexpr std::array<int, 3> mark{0xEF, 0xBB, 0xBF};
    std::size_t matched = 0;
    while (matched < mark.size() && c == mark[matched]) {
        c = std::fgetc(in);
        ++matched;
    }
    return matched == 0 || matched == mark.size();
}

// Reads the next whole number as "%d" would: white space skipped, an optional
// sign, decimal digits, and whatever follows left for the next read. Unlike
// "%d" it never stalls on a word that is not a number (the word is dropped)
// and never overflows. It reads one byte at a time, so memory stays the same
// whatever the input.
Reading read_number(std::FILE* in, bool at_start)
{
    int c = std::fgetc(in);
    if (at_start && !skip_byte_order_mark(in, c)) {
        return drop_word(in, c);
    }
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
        return drop_word(in, c);
    }

    // Past MAX_VALUE the number is out of range however many digits follow,
    // so the magnitude stops growing there.
    std::int32_t magnitude = 0;
    do {
        if (magnitude <= MAX_VALUE) {
            magnitude = magnitude * 10 + (c - '0');
        }
        c = std::fgetc(in);
    } while (is_digit(c));
    std::ungetc(c, in);

    return {Token::number, negative ? -magnitude : magnitude};
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
    bool at_start = true;
    for (std::int32_t& element : A) {
        for (;;) {
            std::fprintf(out, text::prompt, number, MAX_VALUE);
            // The prompt must be seen before the wait, even through a pipe.
            std::fflush(out);

            const Reading reading = read_number(in, at_start);
            at_start = false;
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
