#pragma once

// Everything the program says, in UTF-8, written byte for byte.
namespace text {

inline constexpr char prompt[] = "Εισάγετε το στοιχείο %d (επιτρεπόμενες τιμές από 0 έως και %d): ";

inline constexpr char range_error[] =
    "Η τιμή που εισάγετε πρέπει να είναι μεταξύ 0 και %d. Επαναλάβετε την είσοδο.\n";

inline constexpr char result_line[] = "Το στοιχείο %d είναι ίσο με %d \n";

// Each is written as a line, so the spacer leaves two line breaks.
inline constexpr char spacer[] = "\n";
inline constexpr char closing_rule[] = "------------------------------";

inline constexpr char input_ended[] = "Η είσοδος τελείωσε πριν δοθούν και οι %d τιμές.\n";

inline constexpr char read_failed[] = "Αποτυχία ανάγνωσης από την τυπική είσοδο.\n";

inline constexpr char write_failed[] = "Αποτυχία εγγραφής στην τυπική έξοδο.\n";

} // namespace text
